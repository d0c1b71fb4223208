// The main menu page: the selected configuration, the selector and the menu links.
#include "html/main_menu.h"

#include <unistd.h>

#include <string>

#include "app/app_state.h"
#include "history/version_guard.h"
#include "html/shared_pieces.h"

namespace {

// Each menu row: the link's query, its text and help, up to the next link's href.
const char* const kMenuRows[] = {
    "?target=sdef\"><b>Edit search defaults</b></a>\n</td>\n<td>\n"
    " If you want to omit some search options in your search form, the best way is\n"
    " to specify them in the search defaults.\n</td>\n</tr>\n<tr>\n"
    "<td valign=\"top\" nowrap>\n <a href=\"",
    "?target=flist\"><b>Edit file list</b></a>\n</td>\n<td>\n"
    " Follow this link to create or edit the list of documents to be searched\n"
    " by Tovimarq.\n</td>\n</tr>\n<tr>\n<td valign=\"top\" nowrap>\n <a href=\"",
    "?target=redit\"><b>Remote file editor</b></a>\n</td>\n<td>\n"
    " Here you may edit some files used by Tovimarq, i.e. New Search template,\n"
    " End-User Help file, Report header and Report footer.\n</td>\n</tr>\n<tr>\n"
    "<td valign=\"top\" nowrap>\n <a href=\"",
    "?target=testform\"><b>Test Tovimarq&#153;</b></a>\n</td>\n<td>\n"
    " Test Tovimarq&#153; using search defaults and the file list specified in the\n"
    " currently selected configuration file.\n</td>\n</tr>\n<tr>\n"
    "<td valign=\"top\" nowrap>\n <a href=\"",
    "?target=mconf\"><b>Manage configurations</b></a>\n</td>\n<td>\n"
    " You might want to create multiple Tovimarq configuration files, for example,\n"
    " to search different sets of documents in different languages.\n</td>\n</tr>\n<tr>\n"
    "<td valign=\"top\" nowrap>\n <a href=\"",
    "?target=history\"><b>Change history</b></a>\n</td>\n<td>\n"
    " Shows who changed which file and when, and what changed, and restores\n"
    " earlier versions of the files.\n</td>\n</tr>\n"
    "</table>\n",
};

// The form "selini": one option per known configuration, valued by its position.
void WriteConfigSelector(PageWriter& out, const AppState& state) {
  WriteScriptedFormStart(out, "selini", state.programName);
  out.WriteString(
      "<td>\n"
      " <input type=\"hidden\" name=\"target\" value=\"main\">\n"
      " <label for=\"ini\"><b>Select another configuration:</b></label><br>\n"
      " <select name=\"ini\" id=\"ini\">\n");
  for (std::size_t i = 0; i < state.configFiles.size(); ++i) {
    out.WriteString(i == 0 ? " <option selected value=\"" : " <option value=\"");
    out.WriteNumber(static_cast<long>(i)).WriteString("\">");
    out.WriteValue(state.configFiles[i]).WriteString("</option>\n");
  }
  out.WriteString(
      " </select>\n <input type=\"button\" value=\"Select\" onClick=\"fselini();\">\n"
      " <input type=\"hidden\" name=\"act\" value=\"selini\">\n ");
  WriteVersionField(out, state.stateVersion);
  out.WriteString("</td>\n</form>\n");
}

}  // namespace

void RenderMainMenuPage(PageWriter& out, const AppState& state) {
  const bool offersSelector = state.configFiles.size() >= 2;
  out.WriteString("<tr>\n<td valign=\"top\" nowrap ");
  out.WriteString(offersSelector ? "width=50%>\n" : "colspan=2>\n");
  WriteSelectedConfig(out, state.currentConfig);
  // A fresh install: the configuration is made by the first save of the defaults.
  if (access(state.currentConfig.c_str(), F_OK) != 0) {
    out.WriteString(" <br>").WriteValue(state.currentConfig);
    out.WriteString(
        " does not exist yet; it will be created when you first save the\n"
        " <b>search defaults</b>.\n");
  }
  out.WriteString("</td>\n");
  if (offersSelector) WriteConfigSelector(out, state);
  out.WriteString("</tr>\n<tr>\n<td valign=\"top\" nowrap width=50%>\n <a href=\"");
  for (const char* row : kMenuRows) out.WriteValue(state.programName).WriteString(row);
}
