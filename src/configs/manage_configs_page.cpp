// The page "mconf": the known configurations, with copy and remove buttons.
#include "configs/manage_configs_page.h"

#include <string>

#include "app/app_state.h"
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
  out.WriteString("<tr>\n");
  WriteScriptedFormStart(out, "mconf", state.programName);
  out.WriteString(
      "<td width=50%>\n"
      " <b>List of currently defined configuration files:</b><br>\n"
      " <input type=\"hidden\" name=\"target\" value=\"mconf\">\n"
      " <input type=\"hidden\" name=\"act\" value=\"\">\n <select name=\"ini\" size=5>\n");
  WriteConfigOptions(out, state);
  out.WriteString(
      " </select>\n</td>\n<td rowspan=2 valign=\"top\">\n"
      " <b>Create a new configuration file</b> named:<br>\n"
      " <input type=\"text\" name=\"newini\" size=40 maxlength=260><br>\n"
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
