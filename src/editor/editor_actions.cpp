// The editor's actions: choose the file to show, and save the posted text into it.
#include "editor/editor_actions.h"

#include <string>

#include "app/app_state.h"
#include "editor/line_ends.h"
#include "editor/may_edit_file.h"
#include "fileio/text_file.h"

void SelectEditFile(AppState& state) { GetField(state.form, "file", state.editFile); }

// A request without a "text" field leaves the file alone: a bare link with
// act=save must not wipe it. An empty "text" empties the file.
void SaveEditFile(AppState& state) {
  GetField(state.form, "file", state.editFile);
  std::string text;
  if (!GetField(state.form, "text", text)) return;
  if (!MayEditFile(state.editFile, state.programName)) {
    state.messages.push_back("You can not edit " + state.editFile + " with this utility");
    return;
  }
  // The line ends follow the file being replaced, read before it is.
  const std::string content = WithFileLineEnds(text, state.editFile);
  TextFile file;
  file.SetPath(state.editFile);
  file.OpenWrite();
  if (TakeFileError() != 0) {
    state.messages.push_back("Error creating file " + state.editFile);
    return;
  }
  file.WriteText(content);
  file.Close();
  // One take covers a failed write and a failure that shows only at closing,
  // and leaves nothing pending for the page written next.
  if (TakeFileError() != 0) {
    state.messages.push_back("Error writing file " + state.editFile);
    return;
  }
  state.messages.push_back("File " + state.editFile + " was saved");
}
