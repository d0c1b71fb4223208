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
#include "history/change_history.h"
#include "history/restore_action.h"
#include "testform/search_form.h"

namespace {

struct ActionRow {
  const char* name;
  void (*run)(AppState&);
  // What the change history says the action did; nullptr for the actions that
  // only choose what the page shows, which write no file and which links may start.
  const char* words;
};

const ActionRow kActions[] = {
    {"selini", SelectConfig, "Selected a configuration"},
    {"copyini", CopyConfig, "Created a configuration by copy"},
    {"delini", DeleteConfig, "Removed a configuration from the list"},
    {"setdefs", SaveSearchDefaults, "Saved search defaults"},
    {"chdir", ChangeDirectory, nullptr},
    {"delchk", DeleteChecked, "Removed entries from the file list"},
    {"delall", DeleteAll, "Removed all entries from the file list"},
    {"adddir1", AddDirectory, "Added a folder to the file list"},
    {"adddir3", AddDirectoryTree, "Added a folder tree to the file list"},
    {"adddir2", AddDirectoryFiles, "Added a folder's files to the file list"},
    {"addfiles", AddSelectedFiles, "Added files to the file list"},
    {"save", SaveEditFile, "Edited"},
    {"editfile", SelectEditFile, nullptr},
    {"saveform", SaveSearchForm, "Saved the search form"},
    {"restore", RestoreVersion, "Restored"},
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
  return action.words != nullptr && env.requestMethod != "POST" ? kRefusedMessage : nullptr;
}

// Runs a writing action with the change history recording every file it replaces.
void RunRecorded(const ActionRow& action, AppState& state) {
  const HistoryLimits limits = ReadHistoryLimits(state.env);
  ChangeRecorder recorder(AuthorOf(state.env, action.name), limits);
  if (limits.changes > 0) SetReplacementRecorder(&recorder);
  action.run(state);
  SetReplacementRecorder(nullptr);
}

}  // namespace

const char* ActionWords(const std::string& act) {
  const ActionRow* action = FindAction(act);
  return action != nullptr && action->words != nullptr ? action->words : "Changed";
}

bool RequestsFileChange(const AppState& state) {
  const ActionRow* action = RequestedAction(state);
  return action != nullptr && action->words != nullptr && Refusal(*action, state.env) == nullptr;
}

void PerformAction(AppState& state) {
  const ActionRow* action = RequestedAction(state);
  if (action == nullptr) return;
  if (const char* refusal = Refusal(*action, state.env)) {
    state.messages.push_back(refusal);
  } else if (action->words != nullptr) {
    RunRecorded(*action, state);
  } else {
    action->run(state);
  }
}
