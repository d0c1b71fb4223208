// Reading a folder's listing with the types it reports.
#include "fileio/listed_entries.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

ListedType TypeOf(unsigned char type) {
  switch (type) {
    case DT_DIR: return ListedType::kFolder;
    case DT_LNK:
    case DT_UNKNOWN: return ListedType::kUnsure;
    default: return ListedType::kOther;
  }
}

}  // namespace

bool VisitListedEntries(const std::string& folder,
                        const std::function<bool(std::string_view name, ListedType type)>& visit) {
  DIR* const listing = opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) return false;
  // A status query needs search permission on the folder, which reading it does not.
  const bool searchable = faccessat(dirfd(listing), ".", X_OK, AT_EACCESS) == 0;
  for (const dirent* entry = searchable ? readdir(listing) : nullptr; entry != nullptr;
       entry = readdir(listing)) {
    if (!visit(entry->d_name, TypeOf(entry->d_type))) break;
  }
  closedir(listing);
  return searchable;
}
