// Maps each value of act to the action of its subsystem.
#include "app/actions.h"

#include <string>

#include "app/app_state.h"
#include "config/save_search_defaults.h"
#include "configs/config_actions.h"
#include "editor/editor_actions.h"
#include "filelist/file_list_actions.h"
#include "testform/search_form.h"

namespace {

struct ActionRow {
  const char* name;
  void (*run)(AppState&);
};

const ActionRow kActions[] = {
    {"selini", SelectConfig},       {"copyini", CopyConfig},
    {"delini", DeleteConfig},       {"setdefs", SaveSearchDefaults},
    {"chdir", ChangeDirectory},     {"delchk", DeleteChecked},
    {"delall", DeleteAll},          {"adddir1", AddDirectory},
    {"adddir3", AddDirectoryTree},  {"adddir2", AddDirectoryFiles},
    {"addfiles", AddSelectedFiles}, {"save", SaveEditFile},
    {"editfile", SelectEditFile},   {"saveform", SaveSearchForm},
};

}  // namespace

void PerformAction(AppState& state) {
  std::string act;
  if (!GetField(state.form, "act", act)) return;
  for (const ActionRow& action : kActions) {
    if (act == action.name) {
      action.run(state);
      return;
    }
  }
}
