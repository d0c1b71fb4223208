// The editor's actions: choose the file to show, and save the posted text into it.
#include "editor/editor_actions.h"

#include <string>

#include "app/app_state.h"
#include "editor/line_ends.h"
#include "editor/may_edit_file.h"
#include "fileio/text_file.h"
#include "history/version_guard.h"

void SelectEditFile(AppState& state) { GetField(state.form, "file", state.editFile); }

// A request without a "text" field leaves the file alone: a bare link with
// act=save must not wipe it. An empty "text" empties the file. A save from a
// page that showed an older file, or one that fails, changes nothing and
// draws the editor again with the posted text.
void SaveEditFile(AppState& state) {
  GetField(state.form, "file", state.editFile);
  std::string text;
  if (!GetField(state.form, "text", text)) return;
  if (!MayEditFile(state.editFile, state.programName)) {
    state.messages.push_back("You can not edit " + state.editFile + " with this utility");
    return;
  }
  if (!PostedVersionIsCurrent(state, state.editFile)) {
    RedrawPostedForm(state, "editor");
    return;
  }
  // The line ends follow the file being replaced, read before it is.
  const std::string content = WithFileLineEnds(text, state.editFile);
  const int error =
      ReplaceFile(state.editFile, [&content](TextFile& file) { file.WriteText(content); });
  if (error != 0) {
    state.messages.push_back(SaveFailureMessage(state.editFile, error));
    RedrawPostedForm(state, "editor");
    return;
  }
  state.messages.push_back("File " + state.editFile + " was saved");
}
