// Reading a folder's listing with the types it reports.
#include "fileio/listed_entries.h"

#include <fcntl.h>
#include <sys/stat.h>
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

FolderListing::FolderListing(const std::string& folder)
    : listing_(opendir(folder.empty() ? "." : folder.c_str())) {}

FolderListing::~FolderListing() {
  if (listing_ != nullptr) closedir(listing_);
}

// A status query needs search permission on the folder, which reading it does not.
bool FolderListing::Searchable() const {
  return listing_ != nullptr && faccessat(dirfd(listing_), ".", X_OK, AT_EACCESS) == 0;
}

bool FolderListing::Next(std::string_view& name, ListedType& type) {
  const dirent* const entry = listing_ != nullptr ? readdir(listing_) : nullptr;
  if (entry == nullptr) return false;
  name = entry->d_name;
  type = TypeOf(entry->d_type);
  return true;
}

ListedType FolderListing::Examine(const char* name) const {
  struct stat status;
  if (listing_ == nullptr || fstatat(dirfd(listing_), name, &status, AT_SYMLINK_NOFOLLOW) != 0 ||
      S_ISLNK(status.st_mode)) {
    return ListedType::kUnsure;
  }
  return S_ISDIR(status.st_mode) ? ListedType::kFolder : ListedType::kOther;
}
