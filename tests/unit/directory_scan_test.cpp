// Directory listings: pattern rule, every entry with its directory flag, end of listing.
#include "fileio/directory_scan.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <fcntl.h>
#include <map>

#include "fileio/entry_attributes.h"
#include "support/temp_dir.h"

namespace {

using Listing = std::map<std::string, std::uint32_t>;

// Every entry of a scan as callers drive it, by name.
Listing Scan(const std::string& pattern) {
  DirectoryScan scan;
  Listing entries;
  for (int result = scan.FindFirst(pattern); result == 0; result = scan.FindNext()) {
    entries[scan.name] = scan.attributes;
  }
  scan.FindClose();
  return entries;
}

class DirectoryScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("a.txt", "x");
    dir.Write("noext", "x");
    dir.MakeDir("sub");
    ASSERT_EQ(symlink("sub", dir.Path("sub-link").c_str()), 0);
  }
  TempDir dir;
};

const Listing kExpected{{".", kDirectoryAttribute}, {"..", kDirectoryAttribute},
                        {"a.txt", 0},                {"noext", 0},
                        {"sub", kDirectoryAttribute}, {"sub-link", 0}};

TEST_F(DirectoryScanTest, DeliversEveryEntryWithItsDirectoryFlag) {
  EXPECT_EQ(Scan(dir.Path("*.*")), kExpected);
}

TEST_F(DirectoryScanTest, DotSlashPatternListsTheWorkingDirectory) {
  const int saved = open(".", O_RDONLY | O_DIRECTORY);
  ASSERT_GE(saved, 0);
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  const Listing entries = Scan("./*.*");
  EXPECT_EQ(fchdir(saved), 0);
  close(saved);
  EXPECT_EQ(entries, kExpected);
}

TEST_F(DirectoryScanTest, EndOfListingStaysTheEnd) {
  DirectoryScan scan;
  int result = scan.FindFirst(dir.Path("sub/*.*"));
  int delivered = 0;
  for (; result == 0; result = scan.FindNext()) ++delivered;
  EXPECT_EQ(delivered, 2);
  EXPECT_EQ(result, 100);
  EXPECT_EQ(scan.FindNext(), 100);
  EXPECT_EQ(scan.FindNext(), 100);
  scan.FindClose();
  scan.FindClose();
  EXPECT_EQ(scan.FindNext(), 100);
}

TEST(DirectoryScanStateTest, FindNextBeforeFindFirstIsTheEnd) {
  DirectoryScan scan;
  EXPECT_EQ(scan.FindNext(), 100);
  scan.FindClose();
}

struct PatternCase {
  const char* name;
  std::string pattern;  // below the test directory unless empty or starting with '*'
  int result;
};

void PrintTo(const PatternCase& c, std::ostream* out) { *out << c.name; }

class PatternTest : public DirectoryScanTest, public ::testing::WithParamInterface<PatternCase> {};

TEST_P(PatternTest, RefusedPatternLeavesTheScanClosed) {
  const std::string& pattern = GetParam().pattern;
  const std::string full = pattern.empty() || pattern[0] == '*' ? pattern : dir.Path(pattern);
  DirectoryScan scan;
  EXPECT_EQ(scan.FindFirst(full), GetParam().result);
  EXPECT_EQ(scan.FindNext(), 100);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PatternTest,
    ::testing::Values(PatternCase{"Empty", "", 101}, PatternCase{"StarDotStarAlone", "*.*", 101},
                      PatternCase{"StarDotTxt", "*.txt", 101},
                      PatternCase{"StarDot", "*.", 101}, PatternCase{"Star", "*", 101},
                      PatternCase{"TrailingByte", "*.*x", 101},
                      PatternCase{"MissingDirectory", "missing/*.*", 100 + ENOENT},
                      PatternCase{"FileAsDirectory", "a.txt/*.*", 100 + ENOTDIR},
                      PatternCase{"ZeroByte", std::string("sub\0/*.*", 8), 100 + EINVAL}),
    [](const auto& info) { return std::string(info.param.name); });

struct TypeCase {
  const char* name;
  const char* entry;
  unsigned char type;
  std::uint32_t attributes;
};

void PrintTo(const TypeCase& c, std::ostream* out) { *out << c.name; }

class EntryTypeTest : public DirectoryScanTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(EntryTypeTest, TypesFromTheListingOrTheEntryItself) {
  const int directory = open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(directory, 0);
  EXPECT_EQ(EntryAttributes(directory, GetParam().entry, GetParam().type), GetParam().attributes);
  close(directory);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EntryTypeTest,
    ::testing::Values(TypeCase{"ListedDirectory", "missing", DT_DIR, kDirectoryAttribute},
                      TypeCase{"ListedFile", "sub", DT_REG, 0},
                      TypeCase{"ListedLink", "sub-link", DT_LNK, 0},
                      TypeCase{"UntypedDirectory", "sub", DT_UNKNOWN, kDirectoryAttribute},
                      TypeCase{"UntypedFile", "a.txt", DT_UNKNOWN, 0},
                      TypeCase{"UntypedLinkToDirectory", "sub-link", DT_UNKNOWN, 0},
                      TypeCase{"UntypedVanished", "missing", DT_UNKNOWN, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
