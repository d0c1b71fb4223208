// Lists the sub-folders and files of one folder of the server.
#pragma once

#include <string>
#include <vector>

#include "fileio/listed_entries.h"

struct FolderContent {
  std::vector<std::string> folders;  // without "." and ".."
  std::vector<std::string> files;    // every entry not reported as a directory
  // Per file, what the listing (or examining a name it leaves untyped) says it
  // is: kUnsure for a symbolic link.
  std::vector<ListedType> fileTypes;
  // Whether a status query of a name in the folder can succeed at all.
  bool searchable = false;
};

// The entries of `folder` (a path ending in a separator, or empty) in the
// order the directory delivers them. A folder that cannot be read, or whose
// name is empty or holds a line break or a zero byte, gives empty lists.
FolderContent ScanFolder(const std::string& folder);
