// The page "editor": the chosen file in an escaped text area, or a note why not.
#include "editor/editor_page.h"

#include <string>

#include "app/app_state.h"
#include "editor/editor_text.h"
#include "editor/may_edit_file.h"
#include "history/change_display.h"
#include "history/version_guard.h"
#include "html/shared_pieces.h"

namespace {

// A note row in place of the form; `value` (escaped) follows the note markup.
void WriteNote(PageWriter& out, const char* note, const std::string& value = "") {
  out.WriteString("<td>\n\n<table width=100%>\n<tr>\n<td>\n <b>").WriteString(note);
  out.WriteValue(value).WriteString("</b>\n</td>\n</tr>\n<tr>\n");
}

// The text that a save posted, when the note stands in for the form: the save was
// refused, or did not run at all (no file chosen, as when the lock stayed busy).
// Shown below the note so that what the user typed is not lost with the page;
// nothing for any other request.
void WriteRefusedText(PageWriter& out, const AppState& state) {
  std::string act;
  std::string text;
  if (!GetField(state.form, "act", act) || act != "save" || !GetField(state.form, "text", text)) {
    return;
  }
  out.WriteString("<td>\n Not saved:<br>\n <textarea rows=20 cols=80 readonly>\n");
  out.WriteTextArea(text);
  out.WriteString("</textarea>\n</td>\n</tr>\n<tr>\n");
}

// Returns whether the text is binary. `version` is the id of the file the text
// replaces when saved.
bool WriteEditForm(PageWriter& out, const AppState& state, const std::string& text,
                   const std::string& version) {
  WriteScriptedFormStart(out, "editor", state.programName, "#editor");
  out.WriteString(
      "<td align=\"center\">\n"
      " <input type=\"hidden\" name=\"target\" value=\"\">\n"
      " <input type=\"hidden\" name=\"act\" value=\"save\">\n"
      " <input type=\"hidden\" name=\"file\" value=\"");
  out.WriteValue(state.editFile);
  out.WriteString("\">\n ");
  WriteVersionField(out, version);
  out.WriteString(" <textarea name=\"text\" aria-label=\"Text of the file\" rows=20 cols=80>\n");
  const bool binary = out.WriteTextArea(text);
  out.WriteString(
      "</textarea>\n</td>\n</tr>\n<tr>\n<td>\n\n<table width=100%>\n<tr>\n"
      "<td width=30% align=\"center\">\n"
      " <input type=\"button\" value=\"Save changes\" onClick=\"feditor('editor');\">\n"
      "</td>\n<td width=30% align=\"center\">\n"
      " <input type=\"button\" value=\"Save and exit\" onClick=\"feditor('redit');\">\n"
      "</td>\n<td width=20% align=\"center\">\n <input type=\"reset\" value=\"Reset\">\n"
      "</td>\n</form>\n");
  return binary;
}

// Writes the form, or the note that replaces it; returns whether the file
// shown is binary.
bool WriteFormOrNote(PageWriter& out, const AppState& state) {
  if (!MayEditFile(state.editFile, state.programName)) {
    WriteNote(out, kRefusalNote);
    WriteRefusedText(out, state);
    return false;
  }
  // A save that did not happen shows the posted text again, to be saved over
  // the file as it stands now.
  std::string posted;
  if (state.redrawPosted && GetField(state.form, "text", posted)) {
    return WriteEditForm(out, state, posted, CurrentVersionOf(state.editFile));
  }
  const EditorText loaded = LoadEditorText(state.editFile);
  switch (loaded.outcome) {
    case EditorLoad::kTooLong: WriteNote(out, "The file is too long"); return false;
    case EditorLoad::kReadError:
      WriteNote(out, "Error reading the file ", state.editFile);
      return false;
    case EditorLoad::kShown: break;
  }
  return WriteEditForm(out, state, loaded.text, loaded.version);
}

void WriteCancelAndReturn(PageWriter& out, const AppState& state) {
  WritePlainFormStart(out, state.programName);
  out.WriteString(
      "<td align=\"center\">\n"
      " <input type=\"hidden\" name=\"target\" value=\"redit\">\n"
      " <input type=\"submit\" value=\"Cancel\">\n</td>\n</form>\n</tr>\n</table>\n\n"
      "</td>\n</tr>\n<tr>\n<td align=\"center\">\n");
  WriteMainMenuLink(out, state.programName);
  out.WriteString("</td>\n</tr>\n</table>\n");
}

void WriteBinaryWarning(PageWriter& out) {
  out.WriteScriptStart();
  out.WriteString(" alert(\"Warning!\\n\\nYou are about to edit a binary file.\");\n");
  out.WriteScriptEnd();
}

}  // namespace

void RenderEditorPage(PageWriter& out, const AppState& state) {
  WriteLastChangeLine(out, state.programName, state.editFile, 1);
  out.WriteString("<a name=\"editor\"></a>\n<tr>\n");
  const bool binary = WriteFormOrNote(out, state);
  WriteCancelAndReturn(out, state);
  if (binary) WriteBinaryWarning(out);
}
