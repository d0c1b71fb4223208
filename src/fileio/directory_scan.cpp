// Directory listing driven by a "<directory>*.*" pattern.
#include "fileio/directory_scan.h"

#include <cerrno>

#include "fileio/entry_attributes.h"

namespace {

const std::string kPatternEnd = "*.*";
constexpr int kNoEntry = 100;
constexpr int kOpenErrorBase = 100;
constexpr int kBadPattern = 101;

bool IsScanPattern(const std::string& pattern) {
  return pattern.size() > kPatternEnd.size() &&
         pattern.compare(pattern.size() - kPatternEnd.size(), kPatternEnd.size(), kPatternEnd) == 0;
}

}  // namespace

int DirectoryScan::FindFirst(const std::string& pattern) {
  FindClose();
  if (!IsScanPattern(pattern)) return kBadPattern;
  const std::string directory = pattern.substr(0, pattern.size() - kPatternEnd.size());
  // The file system would cut the name at a zero byte and list another directory.
  if (directory.find('\0') != std::string::npos) return kOpenErrorBase + EINVAL;
  handle_ = opendir(directory.c_str());
  if (handle_ == nullptr) return kOpenErrorBase + errno;
  const int result = FindNext();
  if (result != 0) FindClose();
  return result;
}

int DirectoryScan::FindNext() {
  if (handle_ == nullptr) return kNoEntry;
  const dirent* entry = readdir(handle_);
  if (entry == nullptr) return kNoEntry;
  name = entry->d_name;
  attributes = EntryAttributes(dirfd(handle_), entry->d_name, entry->d_type);
  return 0;
}

void DirectoryScan::FindClose() {
  if (handle_ == nullptr) return;
  closedir(handle_);
  handle_ = nullptr;
}
