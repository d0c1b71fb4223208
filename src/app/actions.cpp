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
const char kHostMessage[] =
    "The request was sent to a host name this utility does not serve and was ignored";

const ActionRow* FindAction(const std::string& act) {
  for (const ActionRow& action : kActions) {
    if (act == action.name) return &action;
  }
  return nullptr;
}

const ActionRow* RequestedAction(const AppState& state) {
  std::string act;
  return GetField(state.form, "act", act) ? FindAction(act) : nullptr;
}

// Any page on the web can make the administrator's browser send a request here, login
// included. Browsers name the sending page's site in Sec-Fetch-Site and Origin; links,
// images and frames, which even older browsers send without them, use GET, so an
// action that writes a file runs only when posted. Returns the message that refuses
// the action; none when it may run.
const char* Refusal(const ActionRow& action, const CgiEnvironment& env) {
  switch (CheckRequestSource(env)) {
    case RequestSource::kHostNotAllowed: return kHostMessage;
    case RequestSource::kAnotherSite: return kRefusedMessage;
    case RequestSource::kOwnSite: break;
  }
  return action.writesFile && env.requestMethod != "POST" ? kRefusedMessage : nullptr;
}

}  // namespace

bool RequestsFileChange(const AppState& state) {
  const ActionRow* action = RequestedAction(state);
  return action != nullptr && action->writesFile && Refusal(*action, state.env) == nullptr;
}

void PerformAction(AppState& state) {
  const ActionRow* action = RequestedAction(state);
  if (action == nullptr) return;
  if (const char* refusal = Refusal(*action, state.env)) {
    state.messages.push_back(refusal);
  } else {
    action->run(state);
  }
}
