// Reads a file whole for the editor.
#include "editor/editor_text.h"

#include "fileio/text_file.h"

namespace {

EditorText ReadOpenFile(TextFile& file) {
  const long size = file.Size();
  if (TakeFileError() != 0 || size < 0) return {EditorLoad::kReadError, {}};
  if (size > kEditorSizeLimit) return {EditorLoad::kTooLong, {}};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::size_t delivered = 0;
  file.ReadBytes(bytes.data(), bytes.size(), delivered);
  if (delivered < bytes.size()) return {EditorLoad::kReadError, {}};
  return {EditorLoad::kShown, std::move(bytes), file.ContentId()};
}

}  // namespace

EditorText LoadEditorText(const std::string& path) {
  // A folder cannot be shown, and saving over it would fail.
  if (IsDirectory(path)) return {EditorLoad::kReadError, {}};
  TextFile file;
  file.SetPath(path);
  file.OpenRead();
  if (TakeFileError() != 0) return {};
  EditorText result = ReadOpenFile(file);
  file.Close();
  TakeFileError();
  return result;
}
