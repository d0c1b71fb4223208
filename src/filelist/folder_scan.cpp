// Lists the sub-folders and files of one folder through the directory scan.
#include "filelist/folder_scan.h"

#include "fileio/directory_scan.h"
#include "fileio/line_safety.h"

namespace {

bool IsSelfOrParent(const std::string& name) { return name == "." || name == ".."; }

}  // namespace

FolderContent ScanFolder(const std::string& folder) {
  FolderContent content;
  if (HoldsLineBreakOrZero(folder)) return content;
  DirectoryScan scan;
  for (int result = scan.FindFirst(folder + "*.*"); result == 0; result = scan.FindNext()) {
    if ((scan.attributes & kDirectoryAttribute) == 0) {
      content.files.push_back(scan.name);
    } else if (!IsSelfOrParent(scan.name)) {
      content.folders.push_back(scan.name);
    }
  }
  scan.FindClose();
  return content;
}
