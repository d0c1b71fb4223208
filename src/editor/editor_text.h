// The content of the editor's text area: the file read whole, its line ends prepared.
#pragma once

#include <string>
#include <string_view>

// Files longer than this are not opened in the editor.
constexpr long kEditorSizeLimit = 65536;

enum class EditorLoad {
  kShown,      // text holds the file (empty when it could not be opened)
  kTooLong,    // the file is over kEditorSizeLimit bytes
  kReadError,  // the file could not be read whole, or is a folder
};

struct EditorText {
  EditorLoad outcome = EditorLoad::kShown;
  // The file's bytes with every LF that follows a CR removed; not yet escaped.
  std::string text;
  // Whether the file holds a control byte other than TAB, LF and CR.
  bool binary = false;
};

// Reads `path` with one size query and one block read. A file that cannot be
// opened (one not created yet, say) gives an empty text and no error.
EditorText LoadEditorText(const std::string& path);

// Control bytes 0x00-0x08, 0x0B, 0x0C and 0x0E-0x1F mark a binary file.
bool HoldsBinaryBytes(std::string_view bytes);

// Writes a CR LF pair as the CR alone; lone CRs and LFs stay. The browser reads
// the CR as a line break and sends CR LF back on saving.
std::string DropLfAfterCr(std::string_view bytes);
