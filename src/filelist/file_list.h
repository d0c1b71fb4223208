// The file list in memory: entries sorted by local path, each with its address and kind.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "fileio/content_id.h"

struct AppState;

enum FileListKind : int { kKindFile = 0, kKindDir = 1, kKindTree = 2 };

struct FileListEntry {
  std::string path;
  std::string url;
  int kind = kKindFile;
};

// Entries are kept sorted by path (bytewise, unsigned); entries with equal
// paths keep the order in which they were inserted.
class FileList {
 public:
  using Entries = std::vector<FileListEntry>;

  // Empties the list and reads the named file, resolving addresses against
  // state.searchConfig.SITEROOTURL as it stands. A file that cannot be read
  // leaves the list empty.
  void Load(const AppState& state, const std::string& fileName);
  // The id of the file the last Load read (kNoContent: none was read).
  const std::string& Version() const { return version_; }

  // Loads the search configuration when not loaded yet, then replaces the
  // named file with the whole list. Returns the file error code (0: written).
  int Save(AppState& state, const std::string& fileName) const;

  // Inserts after the entries with the same path.
  void Insert(FileListEntry entry);
  // The same as inserting each entry in turn.
  void InsertAll(Entries entries);
  // Removes the entries whose 1-based position is listed.
  void RemoveRows(const std::vector<int>& rowNumbers);
  void Clear() { entries_.clear(); }

  // The entries whose path equals `path`, in insertion order.
  std::pair<Entries::const_iterator, Entries::const_iterator> WithPath(
      const std::string& path) const;

  const Entries& entries() const { return entries_; }

 private:
  // Restores the order after entries were appended in file order.
  void SortByPath();

  Entries entries_;
  std::string version_ = kNoContent;
};
