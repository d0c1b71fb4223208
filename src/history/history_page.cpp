// The page "history": one row per change, with its diff link and a restore button.
#include "history/history_page.h"

#include <map>
#include <string>
#include <vector>

#include "app/actions.h"
#include "app/app_state.h"
#include "cgi/url_decode.h"
#include "history/change_display.h"
#include "history/change_history.h"
#include "history/line_diff.h"
#include "history/version_guard.h"
#include "html/shared_pieces.h"

namespace {

constexpr std::size_t kChangesPerPage = 50;

using Sizes = std::map<long, std::pair<long, long>>;

void WriteChangeSize(PageWriter& out, const ChangeHistory& history, const Sizes& sizes,
                     const Change& change) {
  std::pair<long, long> size;
  if (const auto recorded = sizes.find(change.sequence); recorded != sizes.end()) {
    size = recorded->second;
  } else if (ChangeTexts texts; ReadChangeTexts(history, change, texts)) {
    const LineDiff diff = DiffLines(texts.before, texts.after);
    size = {diff.added, diff.removed};
  } else {
    out.WriteString("no longer kept");
    return;
  }
  out.WriteString("+").WriteNumber(size.first).WriteString(" &minus;").WriteNumber(size.second);
}

void WriteRestoreForm(PageWriter& out, const AppState& state, const Change& change,
                      const std::string& currentVersion) {
  WritePlainFormStart(out, state.programName);
  out.WriteString(
      "<input type=\"hidden\" name=\"target\" value=\"history\">\n"
      "<input type=\"hidden\" name=\"act\" value=\"restore\">\n"
      "<input type=\"hidden\" name=\"seq\" value=\"");
  out.WriteNumber(change.sequence).WriteString("\">\n");
  WriteVersionField(out, currentVersion);
  out.WriteString(
      "<input type=\"submit\" value=\"Restore the version before this change\">\n</form>\n");
}

// What every row of the table reads from.
struct TableSources {
  const AppState& state;
  const ChangeHistory& history;
  Sizes sizes;
};

void WriteChangeRow(PageWriter& out, const TableSources& sources, const Change& change,
                    const std::string& currentVersion) {
  const AppState& state = sources.state;
  out.WriteString("<tr>\n<td nowrap>").WriteValue(DisplayTime(change.time));
  out.WriteString("</td>\n<td>").WriteValue(change.user);
  out.WriteString("</td>\n<td>").WriteValue(change.address);
  out.WriteString("</td>\n<td><a href=\"").WriteValue(state.programName);
  out.WriteString("?target=histdiff&amp;seq=").WriteNumber(change.sequence).WriteString("\">");
  out.WriteValue(ActionWords(change.action)).WriteString("</a></td>\n<td><a href=\"");
  WriteFileHistoryHref(out, state.programName, change.file);
  out.WriteString("\">").WriteValue(change.file).WriteString("</a></td>\n<td nowrap>");
  WriteChangeSize(out, sources.history, sources.sizes, change);
  out.WriteString("</td>\n<td>");
  if (sources.history.KeepsVersion(change.before)) {
    WriteRestoreForm(out, state, change, currentVersion);
  } else if (change.before != "-") {
    out.WriteString("no longer kept");
  }
  out.WriteString("</td>\n</tr>\n");
}

void WriteChangeTable(PageWriter& out, const AppState& state, const ChangeHistory& history,
                      const std::vector<Change>& shown) {
  // On a narrow screen the table scrolls sideways on its own, its cells unbroken.
  out.WriteString(
      "<div class=\"scrolls\">\n"
      "<table class=\"history\" border=1 cellspacing=0 cellpadding=4 width=\"100%\">\n"
      "<tr>\n<th>When (UTC)</th>\n<th>Who</th>\n<th>From</th>\n<th>What</th>\n"
      "<th>File</th>\n<th>Lines</th>\n<th>Restore</th>\n</tr>\n");
  // The restore buttons carry the id of each file as it stands, read once a file.
  std::map<std::string, std::string> currentVersions;
  const TableSources sources{state, history, history.RecordedSizes(shown.back().sequence)};
  for (const Change& change : shown) {
    auto current = currentVersions.find(change.file);
    if (current == currentVersions.end()) {
      current = currentVersions.emplace(change.file, CurrentVersionOf(change.file)).first;
    }
    WriteChangeRow(out, sources, change, current->second);
  }
  out.WriteString("</table>\n</div>\n");
}

// The title line: which changes are shown, and the way back to all of them.
void WriteSelectionLine(PageWriter& out, const AppState& state, const std::string& file) {
  out.WriteString("<p>");
  if (file.empty()) {
    out.WriteString(
        "Who changed which file and when, and what changed. A file can be restored as it "
        "was before any change whose previous version is still kept.");
  } else {
    out.WriteString("Changes of <b>").WriteValue(file).WriteString("</b> &middot; <a href=\"");
    out.WriteValue(state.programName).WriteString("?target=history\">All changes</a>");
  }
  out.WriteString("</p>\n");
}

void WriteOlderLink(PageWriter& out, const AppState& state, const std::string& file,
                    long older) {
  if (older == 0) return;
  out.WriteString("<p><a href=\"").WriteValue(state.programName);
  out.WriteString("?target=history&amp;from=").WriteNumber(older);
  if (!file.empty()) out.WriteString("&amp;file=").WriteValue(UrlEncode(file));
  out.WriteString("\">Older changes</a></p>\n");
}

}  // namespace

void RenderHistoryPage(PageWriter& out, const AppState& state) {
  std::string file;
  GetField(state.form, "file", file);
  int from = 0;
  GetIntField(state.form, "from", from);
  const ChangeHistory history;
  const ChangeHistory::Selection selection = history.Newest(file, from, kChangesPerPage);
  out.WriteString("<tr>\n<td>\n");
  WriteSelectionLine(out, state, file);
  if (selection.changes.empty()) {
    out.WriteString("<p><b>No change has been recorded.</b></p>\n");
  } else {
    WriteChangeTable(out, state, history, selection.changes);
  }
  WriteOlderLink(out, state, file, selection.older);
  out.WriteString("</td>\n</tr>\n<tr>\n<td align=\"center\">\n");
  WriteMainMenuLink(out, state.programName);
  out.WriteString("</td>\n</tr>\n</table>\n");
}
