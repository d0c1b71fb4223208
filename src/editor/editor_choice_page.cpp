// The page "redit": one row per editable file of the selected configuration.
#include "editor/editor_choice_page.h"

#include <string>

#include "app/app_state.h"
#include "editor/may_edit_file.h"
#include "html/shared_pieces.h"

namespace {

struct EditableFile {
  const char* label;
  std::string SearchConfig::*name;
};

const EditableFile kEditableFiles[] = {
    {"End-User Help file:", &SearchConfig::HELPFILE},
    {"Report template for Subject Search:", &SearchConfig::SUBJECTLAYOUT},
    {"Report template for Literal Search:", &SearchConfig::LITERALLAYOUT},
    {"Site Map template:", &SearchConfig::SITEMAPLAYOUT},
};

// The button cell: an "Edit..." form for an editable file, else a mark. Returns
// whether the file was editable.
bool WriteFileCell(PageWriter& out, const std::string& file, const std::string& programName) {
  if (!MayEditFile(file, programName)) {
    out.WriteString(" <b>* </b>(see below)\n");
    return false;
  }
  out.WriteString(
      " <input type=\"hidden\" name=\"target\" value=\"editor\">\n"
      " <input type=\"hidden\" name=\"act\" value=\"editfile\">\n"
      " <input type=\"hidden\" name=\"file\" value=\"");
  out.WriteValue(file).WriteString("\">\n <input type=\"submit\" value=\"Edit...\">\n");
  return true;
}

bool WriteFileRow(PageWriter& out, const AppState& state, const EditableFile& row) {
  const std::string& file = state.searchConfig.*row.name;
  out.WriteString("<tr>\n");
  WritePlainFormStart(out, state.programName);
  out.WriteString("<td>\n ").WriteString(row.label);
  out.WriteString("<br>\n <b>").WriteValue(file);
  out.WriteString("</b>\n</td>\n<td align=\"center\">\n");
  const bool editable = WriteFileCell(out, file, state.programName);
  out.WriteString("</td>\n</form>\n</tr>\n\n");
  return editable;
}

}  // namespace

void RenderEditorChoicePage(PageWriter& out, const AppState& state) {
  out.WriteString("<tr>\n<td colspan=2 nowrap>\n");
  WriteSelectedConfig(out, state.currentConfig);
  out.WriteString("</td>\n</tr>\n\n");
  bool anyRefused = false;
  for (const EditableFile& row : kEditableFiles) {
    if (!WriteFileRow(out, state, row)) anyRefused = true;
  }
  if (anyRefused) {
    out.WriteString("<tr>\n<td colspan=2>\n <b>* - ").WriteString(kRefusalNote);
    out.WriteString("</b>\n</td>\n</tr>\n");
  }
  out.WriteString("\n<tr>\n<td colspan=2 align=\"center\">\n");
  WriteMainMenuLink(out, state.programName);
  out.WriteString("</td>\n</tr>\n</table>\n");
}
