// Enumerates the entries of a directory named by a pattern "<directory>*.*".
#pragma once

#include <dirent.h>

#include <cstdint>
#include <string>

// attributes value of an entry that the listing reports as a directory.
constexpr std::uint32_t kDirectoryAttribute = 0x10;

class DirectoryScan {
 public:
  DirectoryScan() = default;
  ~DirectoryScan() { FindClose(); }
  DirectoryScan(const DirectoryScan&) = delete;
  DirectoryScan& operator=(const DirectoryScan&) = delete;

  // 0: an entry was delivered; 100: none; 100 + errno: cannot open; 101: bad pattern.
  int FindFirst(const std::string& pattern);
  int FindNext();
  void FindClose();

  std::string name;
  std::uint32_t attributes = 0;

 private:
  DIR* handle_ = nullptr;
};
