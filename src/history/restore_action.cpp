// Writing a kept version back, guarded like every other save.
#include "history/restore_action.h"

#include <string>

#include "app/app_state.h"
#include "app/utility_state.h"
#include "editor/may_edit_file.h"
#include "fileio/text_file.h"
#include "history/change_history.h"
#include "history/version_guard.h"

namespace {

// The files the utility writes: its state file, and what the editor may write
// (configurations, file lists, templates, the saved search form).
bool MayRestore(const AppState& state, const std::string& file) {
  return file == kStateFileName || MayEditFile(file, state.programName);
}

bool WriteContent(AppState& state, const std::string& file, const std::string& content) {
  const int error = ReplaceFile(file, [&content](TextFile& target) { target.WriteText(content); });
  if (error != 0) {
    state.messages.push_back(SaveFailureMessage(file, error));
    return false;
  }
  return true;
}

}  // namespace

void RestoreVersion(AppState& state) {
  int sequence = 0;
  if (!GetIntField(state.form, "seq", sequence)) return;
  const ChangeHistory history;
  const std::optional<Change> change = history.Find(sequence);
  const std::string number = std::to_string(sequence);
  std::string content;
  if (!change || !history.ReadVersion(change->before, content)) {
    state.messages.push_back("The version before change " + number + " is no longer kept");
    return;
  }
  if (!MayRestore(state, change->file)) {
    state.messages.push_back("Error creating file " + change->file);
    return;
  }
  if (!PostedVersionIsCurrent(state, change->file) ||
      !WriteContent(state, change->file, content)) {
    return;
  }
  state.messages.push_back(change->file + " was restored as it was before change " + number);
  // The configurations listed on the page come from the state file, which may
  // be the file just restored.
  state.configFiles.clear();
  state.stateLoaded = false;
  LoadUtilityState(state);
}
