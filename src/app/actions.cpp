// Maps each value of act to the action of its subsystem, and refuses actions sent from
// other web sites.
#include "app/actions.h"

#include <string>

#include "app/app_state.h"
#include "app/request_origin.h"
#include "config/save_search_defaults.h"
#include "configs/config_actions.h"
#include "editor/editor_actions.h"
#include "filelist/file_list_actions.h"
#include "testform/search_form.h"

namespace {

struct ActionRow {
  const char* name;
  void (*run)(AppState&);
  // False for the actions that only choose what the page shows, which links may start.
  bool writesFile;
};

const ActionRow kActions[] = {
    {"selini", SelectConfig, true},        {"copyini", CopyConfig, true},
    {"delini", DeleteConfig, true},        {"setdefs", SaveSearchDefaults, true},
    {"chdir", ChangeDirectory, false},     {"delchk", DeleteChecked, true},
    {"delall", DeleteAll, true},           {"adddir1", AddDirectory, true},
    {"adddir3", AddDirectoryTree, true},   {"adddir2", AddDirectoryFiles, true},
    {"addfiles", AddSelectedFiles, true},  {"save", SaveEditFile, true},
    {"editfile", SelectEditFile, false},   {"saveform", SaveSearchForm, true},
};

const char kRefusedMessage[] = "The request came from another site and was ignored";

const ActionRow* FindAction(const std::string& act) {
  for (const ActionRow& action : kActions) {
    if (act == action.name) return &action;
  }
  return nullptr;
}

// Any page on the web can make the administrator's browser send a request here, login
// included. Browsers name the sending page's site in Sec-Fetch-Site and Origin; links,
// images and frames, which even older browsers send without them, use GET, so an
// action that writes a file runs only when posted.
bool MayRun(const ActionRow& action, const CgiEnvironment& env) {
  if (ComesFromAnotherSite(env)) return false;
  return !action.writesFile || env.requestMethod == "POST";
}

}  // namespace

void PerformAction(AppState& state) {
  std::string act;
  if (!GetField(state.form, "act", act)) return;
  const ActionRow* action = FindAction(act);
  if (action == nullptr) return;
  if (MayRun(*action, state.env)) {
    action->run(state);
  } else {
    state.messages.push_back(kRefusedMessage);
  }
}
