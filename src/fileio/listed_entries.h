// The entries of a folder as its listing types them, without examining each one.
#pragma once

#include <dirent.h>

#include <string>
#include <string_view>

// What a listing says an entry is. A symbolic link, or an entry the listing
// leaves untyped, could be anything once followed.
enum class ListedType { kFolder, kOther, kUnsure };

// A folder's listing, read one entry at a time; it is closed when destroyed.
class FolderListing {
 public:
  // Opens the listing of `folder` ("" for the working directory).
  explicit FolderListing(const std::string& folder);
  ~FolderListing();
  FolderListing(const FolderListing&) = delete;
  FolderListing& operator=(const FolderListing&) = delete;

  // The next entry of the listing; false at its end. A folder that cannot be
  // read has no entries.
  bool Next(std::string_view& name, ListedType& type);
  // Whether the folder can be searched; when it cannot, a status query of an
  // entry in it fails whatever the listing says.
  bool Searchable() const;
  // What the entry `name` of the listing is when examined itself, without
  // following a symbolic link: kUnsure for a link and for what cannot be examined.
  ListedType Examine(const char* name) const;

 private:
  DIR* listing_ = nullptr;
};
