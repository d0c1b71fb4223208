// The page "mconf": the known configurations, with copy and remove buttons.
#include "configs/manage_configs_page.h"

#include <string>

#include "app/app_state.h"
#include "app/utility_state.h"
#include "history/change_display.h"
#include "history/version_guard.h"
#include "html/shared_pieces.h"

namespace {

// One option per known configuration, valued by its name; the first is selected.
void WriteConfigOptions(PageWriter& out, const AppState& state) {
  bool first = true;
  for (const std::string& name : state.configFiles) {
    out.WriteString(first ? " <option selected value=\"" : " <option value=\"");
    out.WriteValue(name).WriteString("\">").WriteValue(name).WriteString("</option>\n");
    first = false;
  }
}

}  // namespace

void RenderManageConfigsPage(PageWriter& out, const AppState& state) {
  WriteLastChangeLine(out, state.programName, kStateFileName, 2);
  out.WriteString("<tr>\n");
  WriteScriptedFormStart(out, "mconf", state.programName);
  out.WriteString(
      "<td width=50%>\n"
      " <label for=\"ini\"><b>List of currently defined configuration files:</b></label><br>\n"
      " <input type=\"hidden\" name=\"target\" value=\"mconf\">\n"
      " <input type=\"hidden\" name=\"act\" value=\"\">\n ");
  WriteVersionField(out, state.stateVersion);
  out.WriteString(" <select name=\"ini\" size=5 id=\"ini\">\n");
  WriteConfigOptions(out, state);
  out.WriteString(
      " </select>\n</td>\n<td rowspan=2 valign=\"top\">\n"
      " <label for=\"newini\"><b>Create a new configuration file</b> named:</label><br>\n"
      " <input type=\"text\" name=\"newini\" id=\"newini\" size=40 maxlength=260");
  WriteEnterRuns(out, "fcopyini");
  out.WriteString(
      "><br>\n"
      " <input type=\"button\" value=\"Create\" onClick=\"fcopyini();\"><br>\n"
      " The new file will be the exact copy of the file which is currently selected\n"
      " in the list on the left.<br>\n"
      " <b>Note: </b>Both configurations will refer to the same file list until you\n"
      " change it explicitly for the new configuration. Use the Main Menu option\n"
      " <b>Edit file list</b>.\n</td>\n</tr>\n<tr>\n<td>\n"
      " <input type=\"button\" value=\"Delete\" onClick=\"fdelini();\"><br>\n"
      " <b>Remove the selected configuration</b> from the list; its file stays on disk.\n</td>\n</form>\n</tr>\n<tr>\n"
      "<td colspan=2 align=\"center\">\n");
  WriteMainMenuLink(out, state.programName);
  out.WriteString("</td>\n</tr>\n</table>\n");
}
