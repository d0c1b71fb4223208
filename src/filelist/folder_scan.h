// Lists the sub-folders and files of one folder of the server.
#pragma once

#include <string>
#include <vector>

struct FolderContent {
  std::vector<std::string> folders;  // without "." and ".."
  std::vector<std::string> files;    // every entry not reported as a directory
};

// The entries of `folder` (a path ending in a separator, or empty) in the
// order the directory delivers them. A folder that cannot be read, or whose
// name holds a line break or a zero byte, gives empty lists.
FolderContent ScanFolder(const std::string& folder);
