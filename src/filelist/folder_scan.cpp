// Lists the sub-folders and files of one folder, with what the listing says each file is.
#include "filelist/folder_scan.h"

#include "fileio/line_safety.h"

namespace {

bool IsSelfOrParent(std::string_view name) { return name == "." || name == ".."; }

}  // namespace

FolderContent ScanFolder(const std::string& folder) {
  FolderContent content;
  if (folder.empty() || HoldsLineBreakOrZero(folder)) return content;
  FolderListing listing(folder);
  std::string_view name;
  ListedType type;
  while (listing.Next(name, type)) {
    if (type == ListedType::kUnsure) type = listing.Examine(name.data());
    if (type != ListedType::kFolder) {
      content.files.emplace_back(name);
      content.fileTypes.push_back(type);
    } else if (!IsSelfOrParent(name)) {
      content.folders.emplace_back(name);
    }
  }
  content.searchable = listing.Searchable();
  return content;
}
