// The file list actions as the page posts them: what ends up in the file list file.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/cgi_test.h"

namespace {

// The entries part of a saved file list: everything after the comment box.
std::string EntryLines(const std::string& content) {
  const std::string boxEnd = "*********\n\n";
  const std::size_t end = content.rfind(boxEnd);
  return end == std::string::npos ? "<no comment box>" : content.substr(end + boxEnd.size());
}

const char kChanged[] =
    " alert('The file list has changed since the page was shown; nothing was removed.');\n";

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class FileListActionsTest : public CgiTest {
 protected:
  void SetUp() override { dir.Write("tovimarq.ini", "FILELIST=list.txt\nSITEROOTURL=http://h\n"); }

  std::string Act(const std::string& fields) {
    return Post("target=flist&fname=list.txt&" + fields).Body();
  }

  // The fingerprint that the removal forms of the page carry now.
  std::string Shown() {
    const std::string body = Get("target=flist").Body();
    const std::string field = "<input type=\"hidden\" name=\"listsum\" value=\"";
    const std::size_t at = body.find(field);
    return at == std::string::npos ? "(none)" : body.substr(at + field.size(), 16);
  }

  // A removal posted from the page as it is drawn now.
  std::string Remove(const std::string& fields) { return Act(fields + "&listsum=" + Shown()); }

  std::string Entries() { return EntryLines(dir.Read("list.txt")); }
};

TEST_F(FileListActionsTest, AddDirectoryStoresFolderAndAddressWithSlashes) {
  Act("act=adddir1&curdir=/data/docs&rempath=/docs");
  const std::string content = dir.Read("list.txt");
  EXPECT_EQ(content.rfind("      http://h/ - file list\n\n    ****", 0), 0u);
  EXPECT_EQ(EntryLines(content), "DIR=/data/docs/\nURL=http://h/docs/\n\n");
}

TEST_F(FileListActionsTest, AddTreeStoresATreeEntry) {
  Act("act=adddir3&curdir=/data/&rempath=http://h/d/");
  EXPECT_EQ(Entries(), "TREE=/data/\nURL=http://h/d/\n\n");
}

TEST_F(FileListActionsTest, FolderAlreadyListedIsNotAddedAgain) {
  const std::string original = "DIR=/data/docs/\nURL=/docs/\n";
  dir.Write("list.txt", original);
  Act("act=adddir3&curdir=/data/docs&rempath=/docs");
  Act("act=adddir1&curdir=/data/docs/&rempath=/other");
  EXPECT_EQ(dir.Read("list.txt"), original);
}

TEST_F(FileListActionsTest, AddSelectedFilesOnceEach) {
  Act("act=addfiles&curdir=/d/&rempath=http://h/x&files=b.htm&files=a.htm");
  const std::string expected =
      "FILE=/d/a.htm\nURL=http://h/x/a.htm\n\nFILE=/d/b.htm\nURL=http://h/x/b.htm\n\n";
  EXPECT_EQ(Entries(), expected);
  dir.Write("list.txt", dir.Read("list.txt") + "untouched\n");
  Act("act=addfiles&curdir=/d/&rempath=http://h/x&files=b.htm&files=a.htm");
  EXPECT_EQ(Entries(), expected + "untouched\n");
}

TEST_F(FileListActionsTest, FileNamedTwiceInOneRequestIsAddedOnce) {
  Act("act=addfiles&curdir=/d/&rempath=http://h/x/&files=a.htm&files=a.htm");
  EXPECT_EQ(Entries(), "FILE=/d/a.htm\nURL=http://h/x/a.htm\n\n");
}

TEST_F(FileListActionsTest, FileNameWithLineBreakIsSkipped) {
  Act("act=addfiles&curdir=/d/&rempath=http://h/x/&files=a%0AFILE=/etc&files=b%0D&files=c%00&files=ok");
  EXPECT_EQ(Entries(), "FILE=/d/ok\nURL=http://h/x/ok\n\n");
}

TEST_F(FileListActionsTest, AddFieldsWithLineBreakOrZeroAddNothing) {
  for (const char* fields :
       {"act=adddir1&curdir=/d%0A/&rempath=/x", "act=adddir1&curdir=/d/&rempath=/x%0D",
        "act=adddir3&curdir=/d%00/&rempath=/x", "act=addfiles&curdir=/d/&rempath=/x%0A&files=a",
        "act=adddir1&curdir=&rempath=/x", "act=adddir1&curdir=/d/",
        "act=addfiles&rempath=/x&files=a"}) {
    Act(fields);
    EXPECT_FALSE(dir.Exists("list.txt")) << fields;
  }
}

TEST_F(FileListActionsTest, AddAllFilesTakesOnlyTheFiles) {
  dir.MakeDir("www/sub");
  dir.Write("www/b.htm", "x");
  dir.Write("www/a.htm", "x");
  Act("act=adddir2&curdir=" + dir.Path("www") + "&rempath=http://h/w");
  EXPECT_EQ(Entries(), "FILE=" + dir.Path("www/a.htm") + "\nURL=http://h/w/a.htm\n\nFILE=" +
                           dir.Path("www/b.htm") + "\nURL=http://h/w/b.htm\n\n");
}

TEST_F(FileListActionsTest, AddAllFilesOfAFolderWithoutFilesSavesNothing) {
  dir.MakeDir("www/sub");
  Act("act=adddir2&curdir=" + dir.Path("www") + "&rempath=/w");
  Act("act=adddir2&curdir=" + dir.Path("missing") + "&rempath=/w");
  EXPECT_FALSE(dir.Exists("list.txt"));
}

TEST_F(FileListActionsTest, DeleteCheckedRemovesTheNumberedRows) {
  dir.Write("list.txt",
            "FILE=/a\nURL=http://h/a\nFILE=/b\nURL=http://h/b\nFILE=/c\nURL=http://h/c\n");
  Remove("act=delchk&del=1&del=3");
  EXPECT_EQ(Entries(), "FILE=/b\nURL=http://h/b\n\n");
}

TEST_F(FileListActionsTest, DeleteCheckedReadsLeadingNumbers) {
  dir.Write("list.txt", "FILE=/a\nURL=http://h/a\nFILE=/b\nURL=http://h/b\nFILE=/c\nURL=http://h/c\n");
  Remove("act=delchk&del=%2B2x&del=none&del=-1&del=9");
  EXPECT_EQ(Entries(), "FILE=/a\nURL=http://h/a\n\nFILE=/c\nURL=http://h/c\n\n");
}

TEST_F(FileListActionsTest, DeleteCheckedWithoutRowsRewritesTheList) {
  dir.Write("list.txt", "comment\nfile=/b\nurl=http://h/b\nFILE=/a\nURL=http://h/a.htm\n");
  Remove("act=delchk");
  EXPECT_EQ(Entries(), "FILE=/a\nURL=http://h/a.htm\n\nFILE=/b\nURL=http://h/b\n\n");
}

TEST_F(FileListActionsTest, DeleteAllLeavesHeaderAndBoxOnly) {
  dir.Write("list.txt", "FILE=/a\nURL=/a\n");
  Remove("act=delall");
  const std::string content = dir.Read("list.txt");
  EXPECT_EQ(std::count(content.begin(), content.end(), '\n'), 22);
  EXPECT_EQ(content.rfind("      http://h/ - file list\n\n", 0), 0u);
  EXPECT_EQ(EntryLines(content), "");
}

TEST_F(FileListActionsTest, AddressWithSlashIsRelativeToTheServerRoot) {
  dir.Write("tovimarq.ini", "FILELIST=list.txt\nSITEROOTURL=http://h/sub/\n");
  dir.Write("list.txt", "DIR=/data/\nURL=/docs/\nFILE=/f\nURL=docs/f\n");
  Remove("act=delchk");
  EXPECT_EQ(Entries(),
            "DIR=/data/\nURL=http://h/docs/\n\nFILE=/f\nURL=http://h/sub/docs/f\n\n");
}

class OtherListTest : public FileListActionsTest,
                      public ::testing::WithParamInterface<std::string> {};

// Only the current configuration's file list is written; the page goes on with it.
TEST_P(OtherListTest, IsRefusedWithAMessage) {
  const std::string kept = "FILE=/a\nURL=/a\n";
  dir.Write("list.txt", kept);
  dir.Write("other.txt", kept);
  dir.MakeDir("d");
  dir.Write("d/f.htm", "x");
  for (const std::string act :
       {"adddir1", "adddir3", "adddir2", "addfiles&files=f.htm", "delchk&del=1", "delall"}) {
    const std::string body = Post("target=flist&act=" + act + GetParam() + "&curdir=" +
                                  dir.Path("d") + "&rempath=/x&listsum=" + Shown())
                                 .Body();
    const std::string name = GetParam().empty() ? "" : GetParam().substr(7);
    EXPECT_TRUE(Has(body, " alert('Error creating file " + name + "');\n")) << act;
    EXPECT_TRUE(Has(body, "File List in editing:</font> <b>list.txt</b>")) << act;
    EXPECT_TRUE(Has(body, "Current directory: <b>" + dir.Path("d/") + "</b>")) << act;
  }
  EXPECT_EQ(dir.Read("list.txt"), kept);
  EXPECT_EQ(dir.Read("other.txt"), kept);
}

INSTANTIATE_TEST_SUITE_P(Names, OtherListTest,
                         ::testing::Values("&fname=other.txt", "&fname=./list.txt",
                                           "&fname=tovimarq.ini", "&fname=", ""));

struct StaleRemovalCase {
  const char* name;
  std::string fields;
  // Appended to the list between drawing the page and posting.
  std::string added;
  bool withFingerprint;
};

class StaleRemovalTest : public FileListActionsTest,
                         public ::testing::WithParamInterface<StaleRemovalCase> {};

TEST_P(StaleRemovalTest, RemovesNothingAndSaysSo) {
  dir.Write("list.txt", "FILE=/a\nURL=/a\nFILE=/b\nURL=/b\n");
  const std::string shown = Shown();
  const std::string content = dir.Read("list.txt") + GetParam().added;
  dir.Write("list.txt", content);
  const std::string body =
      Act(GetParam().fields + (GetParam().withFingerprint ? "&listsum=" + shown : ""));
  EXPECT_TRUE(Has(body, kChanged));
  EXPECT_EQ(dir.Read("list.txt"), content);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StaleRemovalTest,
    ::testing::Values(
        StaleRemovalCase{"CheckedAfterAnAddition", "act=delchk&del=1", "FILE=/0\nURL=/0\n", true},
        StaleRemovalCase{"AllAfterAnAddition", "act=delall", "FILE=/c\nURL=/c\n", true},
        StaleRemovalCase{"CheckedAfterAnEdit", "act=delchk&del=2", "\n", true},
        StaleRemovalCase{"CheckedFromAFormWithout", "act=delchk&del=1", "", false},
        StaleRemovalCase{"AllFromAFormWithout", "act=delall", "", false},
        StaleRemovalCase{"CheckedWithAnotherSum", "act=delchk&del=1&listsum=0", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

// A reload of the page after "Remove checked" posts the same rows again.
TEST_F(FileListActionsTest, RepostedRemovalRemovesNothingMore) {
  dir.Write("list.txt", "FILE=/a\nURL=/a\nFILE=/b\nURL=/b\nFILE=/c\nURL=/c\n");
  const std::string fields = "act=delchk&del=1&listsum=" + Shown();
  EXPECT_FALSE(Has(Act(fields), kChanged));
  EXPECT_TRUE(Has(Act(fields), kChanged));
  EXPECT_EQ(Entries(), "FILE=/b\nURL=http://h/b\n\nFILE=/c\nURL=http://h/c\n\n");
}

TEST_F(FileListActionsTest, ChangeDirectoryBrowsesTheChosenFolder) {
  const std::string body = Post("target=flist&act=chdir&dirlist=/usr").Body();
  EXPECT_NE(body.find("Current directory: <b>/usr/</b>"), std::string::npos);
  EXPECT_NE(body.find(" <option value=\"/usr\" selected>&nbsp;&nbsp;&nbsp;usr</option>\n"),
            std::string::npos);
  EXPECT_FALSE(dir.Exists("list.txt"));
}

}  // namespace
