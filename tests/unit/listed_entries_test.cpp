// Folder listings: every entry with the type the listing gives it, none for a folder not read.
#include "fileio/listed_entries.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <string>

#include "support/temp_dir.h"

namespace {

std::map<std::string, ListedType> Listed(const std::string& folder) {
  std::map<std::string, ListedType> listed;
  FolderListing listing(folder);
  std::string_view name;
  ListedType type;
  while (listing.Next(name, type)) listed.emplace(name, type);
  return listed;
}

// A file system may leave every entry untyped; what it types must be right.
TEST(FolderListingTest, GivesEveryEntryOnceWithItsTypeOrUnsure) {
  TempDir dir;
  dir.MakeDir("d/sub");
  dir.Write("d/file.htm", "x");
  ASSERT_EQ(symlink(dir.Path("d/sub").c_str(), dir.Path("d/link").c_str()), 0);
  const std::map<std::string, ListedType> listed = Listed(dir.Path("d")), expected = {
      {".", ListedType::kFolder}, {"..", ListedType::kFolder}, {"sub", ListedType::kFolder},
      {"file.htm", ListedType::kOther}, {"link", ListedType::kUnsure}};
  ASSERT_EQ(listed.size(), expected.size());
  for (const auto& [name, type] : expected) {
    EXPECT_TRUE(listed.count(name) == 1 && (listed.at(name) == type ||
                                            listed.at(name) == ListedType::kUnsure)) << name;
  }
}

TEST(FolderListingTest, WhatIsNoReadableFolderHasNoEntries) {
  TempDir dir;
  dir.Write("file.htm", "x");
  for (const std::string name : {"missing", "file.htm"}) EXPECT_TRUE(Listed(dir.Path(name)).empty());
}

}  // namespace
