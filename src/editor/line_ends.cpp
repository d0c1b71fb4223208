// Keeps a saved file's line ends: CR LF files stay CR LF, all others get LF.
#include "editor/line_ends.h"

#include "fileio/text_file.h"

namespace {

constexpr std::size_t kBlockSize = 8192;

// Whether the file holds CR LF somewhere, a pair split between two blocks
// included. A file that cannot be read holds none.
bool FileHoldsCrLf(const std::string& path) {
  TextFile file;
  file.SetPath(path);
  file.OpenRead();
  if (TakeFileError() != 0) return false;
  std::string block(kBlockSize, '\0');
  bool found = false;
  bool endedWithCr = false;
  std::size_t delivered = 0;
  while (!found) {
    file.ReadBytes(block.data(), block.size(), delivered);
    if (delivered == 0) break;
    const std::string_view bytes(block.data(), delivered);
    found = (endedWithCr && bytes.front() == '\n') || bytes.find("\r\n") != bytes.npos;
    endedWithCr = bytes.back() == '\r';
  }
  file.Close();
  TakeFileError();
  return found;
}

}  // namespace

std::string WithFileLineEnds(const std::string& posted, const std::string& path) {
  if (posted.find("\r\n") == std::string::npos || FileHoldsCrLf(path)) return posted;
  return CrLfToLf(posted);
}

std::string CrLfToLf(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}
