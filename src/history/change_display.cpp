// The pieces of markup that show recorded changes on the history pages and under headings.
#include "history/change_display.h"

#include "cgi/url_decode.h"
#include "fileio/content_id.h"
#include "fileio/regular_file.h"

std::string DisplayTime(const std::string& time) {
  std::string shown = time;
  if (shown.size() == 20 && shown[10] == 'T' && shown[19] == 'Z') {
    shown[10] = ' ';
    shown.pop_back();
  }
  return shown;
}

void WriteFileHistoryHref(PageWriter& out, const std::string& programName,
                          const std::string& file) {
  out.WriteValue(programName).WriteString("?target=history&amp;file=");
  out.WriteValue(UrlEncode(file));
}

void WriteLastChangeLine(PageWriter& out, const std::string& programName,
                         const std::string& file, int columns) {
  const std::optional<Change> last = ChangeHistory().LastChangeOf(file);
  if (!last) return;
  out.WriteString("<tr>\n<td");
  if (columns > 1) out.WriteString(" colspan=").WriteNumber(columns);
  out.WriteString(" class=\"lastchange\">Last changed by ").WriteValue(last->user);
  out.WriteString(" on ").WriteValue(DisplayTime(last->time));
  out.WriteString(" (UTC) &middot; <a href=\"");
  WriteFileHistoryHref(out, programName, file);
  out.WriteString("\">History of this file</a></td>\n</tr>\n");
}

namespace {

bool ReadChangeContent(const ChangeHistory& history, const std::string& id,
                       const std::string& file, std::string& content) {
  content.clear();
  if (id == kNoContent) return true;
  if (history.ReadVersion(id, content)) return true;
  return ReadWholeFile(file, content) && ContentIdOf(content) == id;
}

}  // namespace

bool ReadChangeTexts(const ChangeHistory& history, const Change& change, ChangeTexts& texts) {
  return ReadChangeContent(history, change.before, change.file, texts.before) &&
         ReadChangeContent(history, change.after, change.file, texts.after);
}
