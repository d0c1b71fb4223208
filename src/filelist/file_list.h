// The file list in memory: entries sorted by local path, each with its address and kind.
#pragma once

#include <string>
#include <vector>

struct AppState;

enum FileListKind : int { kKindFile = 0, kKindDir = 1, kKindTree = 2 };

struct FileListEntry {
  std::string path;
  std::string url;
  int kind = kKindFile;
};

class FileList {
 public:
  // Empties the list and reads the named file, resolving addresses against
  // state.searchConfig.SITEROOTURL.
  void Load(const AppState& state, const std::string& fileName);

  const std::vector<FileListEntry>& entries() const { return entries_; }

 private:
  std::vector<FileListEntry> entries_;
};
