// The page "editor": the chosen file in an escaped text area, or a note why not.
#include "editor/editor_page.h"

#include <string>

#include "app/app_state.h"
#include "editor/editor_text.h"
#include "editor/may_edit_file.h"
#include "html/shared_pieces.h"

namespace {

// A note row in place of the form; `value` (escaped) follows the note markup.
void WriteNote(PageWriter& out, const char* note, const std::string& value = "") {
  out.WriteString("<td>\n\n<table width=100%>\n<tr>\n<td>\n <b>").WriteString(note);
  out.WriteValue(value).WriteString("</b>\n</td>\n</tr>\n<tr>\n");
}

// Returns whether the text is binary.
bool WriteEditForm(PageWriter& out, const AppState& state, const std::string& text) {
  WriteScriptedFormStart(out, "editor", state.programName, "#editor");
  out.WriteString(
      "<td align=\"center\">\n"
      " <input type=\"hidden\" name=\"target\" value=\"\">\n"
      " <input type=\"hidden\" name=\"act\" value=\"save\">\n"
      " <input type=\"hidden\" name=\"file\" value=\"");
  out.WriteValue(state.editFile);
  out.WriteString("\">\n <textarea name=\"text\" aria-label=\"Text of the file\" rows=20 cols=80>\n");
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
    return false;
  }
  const EditorText loaded = LoadEditorText(state.editFile);
  switch (loaded.outcome) {
    case EditorLoad::kTooLong: WriteNote(out, "The file is too long"); return false;
    case EditorLoad::kReadError:
      WriteNote(out, "Error reading the file ", state.editFile);
      return false;
    case EditorLoad::kShown: break;
  }
  return WriteEditForm(out, state, loaded.text);
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
  out.WriteString("<a name=\"editor\"></a>\n<tr>\n");
  const bool binary = WriteFormOrNote(out, state);
  WriteCancelAndReturn(out, state);
  if (binary) WriteBinaryWarning(out);
}
