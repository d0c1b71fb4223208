// Whether the paths of the file list's entries exist, for the warning marks of its page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "filelist/file_list.h"
#include "filelist/folder_scan.h"

// Answers for the entries of a list, asked in list order, whether the file
// system reports an entry at each path (as IsFile or IsDirectory would); a path
// holding a line break or a zero byte is never looked up. Sorting keeps the
// paths below one folder together: a folder found missing spares a look at
// each path below it, and a long run of paths in one folder is checked against
// one reading of its listing, which spares a status query for each entry that
// the listing types; for the browsed folder, whose content the page has read
// already, that content serves. Any other path is examined itself, once for a
// row of equal paths.
class EntryExistence {
 public:
  // `browsedFolder` (ending in "/") has `browsed` as its content.
  EntryExistence(const FileList::Entries& entries, std::string_view browsedFolder,
                 const FolderContent& browsed)
      : entries_(entries), browsedFolder_(browsedFolder), browsed_(browsed) {}

  bool Exists(std::size_t index);

 private:
  // Finds the run of entries in one folder that starts at `index` and, when it
  // is long, which of them the folder's listing confirms.
  void StartRun(std::size_t index);

  const FileList::Entries& entries_;
  std::string_view browsedFolder_;
  const FolderContent& browsed_;
  std::string missingFolder_;
  std::size_t runStart_ = 0;
  std::size_t runEnd_ = 0;
  std::vector<bool> listed_;  // per entry of the run: confirmed by the listing
  // The place after the entry whose path was looked up last, and whether it was found.
  std::size_t afterLookedUp_ = 0;
  bool found_ = false;
};
