// The file list reader and writer: the pairing rule, ordering and round trips.
#include "filelist/file_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "app/app_state.h"
#include "support/temp_dir.h"

// Found by argument-dependent lookup, so beside FileListEntry.
static bool operator==(const FileListEntry& a, const FileListEntry& b) {
  return a.path == b.path && a.url == b.url && a.kind == b.kind;
}

static void PrintTo(const FileListEntry& entry, std::ostream* out) {
  *out << "{" << entry.path << ", " << entry.url << ", " << entry.kind << "}";
}

namespace {

const char kHeaderAndBox[] =
    "      http://h/ - file list\n"
    "\n"
    "    *********************************************************\n"
    "    *\t\t\t    S Y N T A X \t\t   *\n"
    "    *\t\t\t\t\t\t\t   *\n"
    "    * File list consists of a sequence of the paired lines: *\n"
    "    *\t\t\t\t\t\t\t   *\n"
    "    * FILE=<file to be searched by Tovimarq>\t\t   *\n"
    "    * URL=<virtual address of the file>\t\t\t   *\n"
    "    *\t\t\t\t\t\t\t   *\n"
    "    *\t\t OR\t\t\t\t\t   *\n"
    "    *\t\t\t\t\t\t\t   *\n"
    "    * DIR=<folder to be searched by Tovimarq>\t\t   *\n"
    "    * URL=<virtual address of the folder>\t\t   *\n"
    "    *\t\t\t\t\t\t\t   *\n"
    "    *\t\t OR\t\t\t\t\t   *\n"
    "    *\t\t\t\t\t\t\t   *\n"
    "    * TREE=<folder to be searched by Tovimarq>\t\t   *\n"
    "    * URL=<virtual address of the folder>\t\t   *\n"
    "    *\t\t\t\t\t\t\t   *\n"
    "    *********************************************************\n"
    "\n";

class FileListFileTest : public ::testing::Test {
 protected:
  FileListFileTest() {
    state.configLoaded = true;
    state.searchConfig.SITEROOTURL = "http://h/";
  }

  std::vector<FileListEntry> LoadText(const std::string& content) {
    dir.Write("list.txt", content);
    state.fileList.Load(state, listPath);
    return state.fileList.entries();
  }

  std::string SavedText() {
    EXPECT_EQ(state.fileList.Save(state, listPath), 0);
    return dir.Read("list.txt");
  }

  TempDir dir;
  std::string listPath = dir.Path("list.txt");
  AppState state;
};

struct PairingCase {
  const char* name;
  std::string content;
  std::vector<FileListEntry> expected;
};

class PairingRuleTest : public FileListFileTest,
                        public ::testing::WithParamInterface<PairingCase> {};

TEST_P(PairingRuleTest, ReadsOnlyKeyLinesDirectlyFollowedByUrlLines) {
  EXPECT_EQ(LoadText(GetParam().content), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PairingRuleTest,
    ::testing::Values(
        PairingCase{"FilePair", "FILE=/d/a.htm\nURL=http://h/a.htm\n",
                    {{"/d/a.htm", "http://h/a.htm", kKindFile}}},
        PairingCase{"RelativeAddressResolved", "FILE=/d/a b.htm\nURL=docs/a b.htm\n",
                    {{"/d/a b.htm", "http://h/docs/a%20b.htm", kKindFile}}},
        PairingCase{"KeyLineOfFiveBytes", "DIR=x\nURL=http://h/x/\n", {}},
        PairingCase{"UrlLineOfFiveBytes", "FILE=/a\nURL=x\n", {}},
        PairingCase{"EmptyLineBreaksThePair", "FILE=/a\n\nURL=http://h/a\n", {}},
        PairingCase{"SecondOfTwoKeyLines", "FILE=/a\nFILE=/b\nURL=http://h/b\n",
                    {{"/b", "http://h/b", kKindFile}}},
        PairingCase{"UrlLineAloneAndKeyLineAtEnd", "URL=http://h/x\nFILE=/a\n", {}},
        PairingCase{"KeyLineAtEndWithoutLineFeed", "FILE=/a\nURL=http://h/a\nDIR=/b", 
                    {{"/a", "http://h/a", kKindFile}}},
        PairingCase{"LowerCaseKeywords", "file=/A\nurl=http://h/A\nTree=/t\nUrl=http://h/t\n",
                    {{"/A", "http://h/A", kKindFile}, {"/t/", "http://h/t/", kKindTree}}},
        PairingCase{"FolderGetsTrailingSlashes", "DIR=/d\nURL=http://h/d\n",
                    {{"/d/", "http://h/d/", kKindDir}}},
        PairingCase{"BackslashEndsAFolder", "DIR=c:\\d\\\nURL=http://h/d/\n",
                    {{"c:\\d\\", "http://h/d/", kKindDir}}},
        PairingCase{"FileKeepsItsEnd", "FILE=/d\nURL=http://h/d\n",
                    {{"/d", "http://h/d", kKindFile}}},
        PairingCase{"PathAfterFirstEqualsSign", "FILE=/a=b \nURL=http://h/x\n",
                    {{"/a=b ", "http://h/x", kKindFile}}},
        PairingCase{"KeywordMustEndAtEqualsSign", "FILES=/a\nURL=http://h/a\n", {}},
        PairingCase{"CarriageReturnsDropped", "FILE=/a\r\nURL=http://h/a\r\n",
                    {{"/a", "http://h/a", kKindFile}}},
        PairingCase{"ReadingResumesAfterThePair",
                    "FILE=/a\nURL=http://h/a\nFILE=/b\nURL=http://h/b\n",
                    {{"/a", "http://h/a", kKindFile}, {"/b", "http://h/b", kKindFile}}},
        PairingCase{"SortedByPathUpperCaseFirst",
                    "FILE=/b\nURL=http://h/1\nFILE=/B\nURL=http://h/2\nFILE=/a\nURL=http://h/3\n",
                    {{"/B", "http://h/2", kKindFile},
                     {"/a", "http://h/3", kKindFile},
                     {"/b", "http://h/1", kKindFile}}},
        PairingCase{"EqualPathsKeepFileOrder",
                    "DIR=/p/\nURL=http://h/1/\nFILE=/p/\nURL=http://h/2\n",
                    {{"/p/", "http://h/1/", kKindDir}, {"/p/", "http://h/2", kKindFile}}}),
    [](const ::testing::TestParamInfo<PairingCase>& info) { return info.param.name; });

// A list long enough that sorting cannot happen to keep the order by chance:
// 1,500 entries over 46 paths, in shuffled order. Entries with equal paths
// keep the order of the file, which the addresses number. Some paths differ
// only far behind their shared start, some only by their length or by bytes
// from 0x80 on.
TEST_F(FileListFileTest, LargeListLoadsSortedWithEqualPathsInFileOrder) {
  const std::vector<std::string> others = {
      "/docs/a-long-shared-file-name-1", "/docs/a-long-shared-file-name-2",
      "/docs/a-long-shared-file-name",   "/docs/\xe9t\xe9.htm",
      "/docs/1",                         "/d"};
  std::mt19937 random(11);
  std::vector<FileListEntry> written;
  std::string content;
  for (int i = 0; i < 1500; ++i) {
    const std::size_t choice = random() % (40 + others.size());
    const std::string path =
        choice < 40 ? "/docs/" + std::to_string(choice) + ".htm" : others[choice - 40];
    const std::string url = "http://h/" + std::to_string(i);
    written.push_back({path, url, kKindFile});
    content += "FILE=" + path + "\nURL=" + url + "\n\n";
  }
  std::vector<FileListEntry> expected = written;
  std::stable_sort(expected.begin(), expected.end(),
                   [](const FileListEntry& a, const FileListEntry& b) { return a.path < b.path; });
  EXPECT_EQ(LoadText(content), expected);
  EXPECT_EQ(LoadText(SavedText()), expected);
}

TEST_F(FileListFileTest, MissingFileGivesAnEmptyList) {
  state.fileList.Insert({"/old", "http://h/old", kKindFile});
  state.fileList.Load(state, dir.Path("missing.txt"));
  EXPECT_TRUE(state.fileList.entries().empty());
}

TEST_F(FileListFileTest, SaveWritesHeaderBoxAndThreeLinesPerEntry) {
  LoadText("dir=/d\nurl=/docs\nFILE=/a.htm\nURL=a.htm\n");
  EXPECT_EQ(SavedText(), std::string(kHeaderAndBox) +
                             "FILE=/a.htm\nURL=http://h/a.htm\n\n"
                             "DIR=/d/\nURL=http://h/docs/\n\n");
}

TEST_F(FileListFileTest, EmptyListKeepsHeaderAndBoxOnly) {
  EXPECT_EQ(SavedText(), kHeaderAndBox);
}

TEST_F(FileListFileTest, SavedFileReadsBackToTheSameEntries) {
  const std::vector<FileListEntry> loaded = LoadText(
      "    comment\nTREE=/t\nURL=http://h/t\nFILE=/p\nURL=http://h/1\n"
      "FILE=/p\nURL=http://h/2\nDIR=/a/\nURL=http://h/a/\n");
  SavedText();
  state.fileList.Load(state, listPath);
  EXPECT_EQ(state.fileList.entries(), loaded);
  ASSERT_EQ(loaded.size(), 4u);
  EXPECT_EQ(loaded[1].url, "http://h/1");
  EXPECT_EQ(loaded[2].url, "http://h/2");
}

TEST_F(FileListFileTest, RelativeAddressesStayRelativeUntilSaved) {
  state.searchConfig.SITEROOTURL.clear();
  EXPECT_EQ(LoadText("FILE=/a\nURL=/docs/a.htm\n")[0].url, "/docs/a.htm");
  state.searchConfig.SITEROOTURL = "http://h/sub/";
  EXPECT_NE(SavedText().find("\nURL=http://h/docs/a.htm\n"), std::string::npos);
}

TEST_F(FileListFileTest, SaveToUnwritablePlaceReportsTheError) {
  EXPECT_NE(state.fileList.Save(state, dir.Path("no/such/dir/list.txt")), 0);
}

TEST_F(FileListFileTest, NameWithLineBreakOrZeroNeverReachesTheFileSystem) {
  const std::vector<std::string> names = {"a\nb", "a\rb", std::string("a\0b", 3)};
  for (const std::string& name : names) {
    EXPECT_NE(state.fileList.Save(state, dir.Path(name)), 0);
    EXPECT_FALSE(dir.Exists(name));
  }
  dir.Write("a", "FILE=/x\nURL=http://h/x\n");
  for (const std::string& name : names) {
    state.fileList.Load(state, dir.Path(name));
    EXPECT_TRUE(state.fileList.entries().empty());
  }
}

TEST_F(FileListFileTest, EntryWithLineBreakOrZeroIsNotWritten) {
  state.fileList.Insert({"/a\nFILE=/evil", "http://h/a", kKindFile});
  state.fileList.Insert({std::string("/c\0.htm", 7), "http://h/c", kKindFile});
  state.fileList.Insert({"/d", std::string("http://h/d\0", 11), kKindFile});
  state.fileList.Insert({"/b", "http://h/b", kKindFile});
  EXPECT_EQ(SavedText(), std::string(kHeaderAndBox) + "FILE=/b\nURL=http://h/b\n\n");
}

TEST(FileListOrderTest, InsertGoesAfterEqualPaths) {
  FileList list;
  list.Insert({"/b", "1", kKindFile});
  list.Insert({"/a", "2", kKindFile});
  list.Insert({"/b", "3", kKindDir});
  list.Insert({"/a/", "4", kKindFile});
  std::vector<std::string> urls;
  for (const FileListEntry& entry : list.entries()) urls.push_back(entry.url);
  EXPECT_EQ(urls, (std::vector<std::string>{"2", "4", "1", "3"}));
}

TEST(FileListOrderTest, InsertAllEqualsOneInsertAfterTheOther) {
  std::mt19937 random(7);
  FileList one;
  FileList all;
  FileList::Entries batch;
  for (int i = 0; i < 200; ++i) {
    FileListEntry entry{"/" + std::to_string(random() % 20), std::to_string(i), kKindFile};
    if (i < 100) {
      all.Insert(entry);
    } else {
      batch.push_back(entry);
    }
    one.Insert(entry);
  }
  all.InsertAll(batch);
  EXPECT_EQ(all.entries(), one.entries());
}

TEST(FileListOrderTest, RemoveRowsKeepsTheOthersInOrder) {
  FileList list;
  for (const char* path : {"/a", "/b", "/c", "/d"}) list.Insert({path, "", kKindFile});
  list.RemoveRows({3, 1, 9, 0, -2, 3});
  ASSERT_EQ(list.entries().size(), 2u);
  EXPECT_EQ(list.entries()[0].path, "/b");
  EXPECT_EQ(list.entries()[1].path, "/d");
}

TEST(FileListOrderTest, WithPathFindsEveryEqualEntry) {
  FileList list;
  for (const char* path : {"/a", "/b", "/b", "/c"}) list.Insert({path, "", kKindFile});
  const auto [first, last] = list.WithPath("/b");
  EXPECT_EQ(last - first, 2);
  const auto [none, end] = list.WithPath("/bb");
  EXPECT_EQ(none, end);
}

}  // namespace
