// Reads a file whole for the editor and prepares its bytes for the text area.
#include "editor/editor_text.h"

#include <algorithm>

#include "fileio/text_file.h"

namespace {

bool IsBinaryByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r';
}

EditorText ReadOpenFile(TextFile& file) {
  const long size = file.Size();
  if (TakeFileError() != 0 || size < 0) return {EditorLoad::kReadError, {}, false};
  if (size > kEditorSizeLimit) return {EditorLoad::kTooLong, {}, false};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::size_t delivered = 0;
  file.ReadBytes(bytes.data(), bytes.size(), delivered);
  if (delivered < bytes.size()) return {EditorLoad::kReadError, {}, false};
  return {EditorLoad::kShown, DropLfAfterCr(bytes), HoldsBinaryBytes(bytes)};
}

}  // namespace

EditorText LoadEditorText(const std::string& path) {
  // A folder cannot be shown, and saving over it would fail.
  if (IsDirectory(path)) return {EditorLoad::kReadError, {}, false};
  TextFile file;
  file.SetPath(path);
  file.OpenRead();
  if (TakeFileError() != 0) return {};
  EditorText result = ReadOpenFile(file);
  file.Close();
  TakeFileError();
  return result;
}

bool HoldsBinaryBytes(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(), IsBinaryByte);
}

std::string DropLfAfterCr(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n' && i > 0 && bytes[i - 1] == '\r') continue;
    out += bytes[i];
  }
  return out;
}
