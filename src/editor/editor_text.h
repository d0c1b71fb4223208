// The content of the editor's text area: the file read whole.
#pragma once

#include <string>

#include "fileio/content_id.h"

// Files longer than this are not opened in the editor.
constexpr long kEditorSizeLimit = 65536;

enum class EditorLoad {
  kShown,      // text holds the file (empty when it could not be opened)
  kTooLong,    // the file is over kEditorSizeLimit bytes
  kReadError,  // the file could not be read whole, or is a folder
};

struct EditorText {
  EditorLoad outcome = EditorLoad::kShown;
  // The file's bytes as read. The page writes them with PageWriter::WriteTextArea,
  // which leaves out the LF of every CR LF pair and finds the bytes that mark
  // a binary file (control bytes other than TAB, LF and CR) on the way.
  std::string text;
  // The id of the file as read: kNoContent when it could not be opened.
  std::string version = kNoContent;
};

// Reads `path` with one size query and one block read. A file that cannot be
// opened (one not created yet, say) gives an empty text and no error.
EditorText LoadEditorText(const std::string& path);
