// The file list actions as the page posts them: what ends up in the file list file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <regex>
#include <string>

#include "support/cgi_test.h"

namespace {

// The entries part of a saved file list: everything after the comment box.
std::string EntryLines(const std::string& content) {
  const std::string boxEnd = "*********\n\n";
  const std::size_t end = content.rfind(boxEnd);
  return end == std::string::npos ? "<no comment box>" : content.substr(end + boxEnd.size());
}

class FileListActionsTest : public CgiTest {
 protected:
  void SetUp() override { dir.Write("tovimarq.ini", "FILELIST=list.txt\nSITEROOTURL=http://h\n"); }

  // The version of the list that the removal forms of the page drawn now carry.
  std::string Shown() {
    const std::string page = Get("target=flist").Body();
    const std::string field = "name=\"version\" value=\"";
    const std::size_t at = page.find(field);
    if (at == std::string::npos) return "";
    const std::size_t start = at + field.size();
    return page.substr(start, page.find('"', start) - start);
  }

  // Posts the fields as the page drawn now would; returns the page that follows.
  std::string Act(const std::string& fields) {
    return Post("target=flist&fname=list.txt&version=" + Shown() + "&" + fields).Body();
  }

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
  Act("act=delchk&del=1&del=3");
  EXPECT_EQ(Entries(), "FILE=/b\nURL=http://h/b\n\n");
}

TEST_F(FileListActionsTest, DeleteCheckedReadsLeadingNumbers) {
  dir.Write("list.txt", "FILE=/a\nURL=http://h/a\nFILE=/b\nURL=http://h/b\nFILE=/c\nURL=http://h/c\n");
  Act("act=delchk&del=%2B2x&del=none&del=-1&del=9");
  EXPECT_EQ(Entries(), "FILE=/a\nURL=http://h/a\n\nFILE=/c\nURL=http://h/c\n\n");
}

TEST_F(FileListActionsTest, DeleteCheckedWithoutRowsRewritesTheList) {
  dir.Write("list.txt", "comment\nfile=/b\nurl=http://h/b\nFILE=/a\nURL=http://h/a.htm\n");
  Act("act=delchk");
  EXPECT_EQ(Entries(), "FILE=/a\nURL=http://h/a.htm\n\nFILE=/b\nURL=http://h/b\n\n");
}

TEST_F(FileListActionsTest, DeleteAllLeavesHeaderAndBoxOnly) {
  dir.Write("list.txt", "FILE=/a\nURL=/a\n");
  Act("act=delall");
  const std::string content = dir.Read("list.txt");
  EXPECT_EQ(std::count(content.begin(), content.end(), '\n'), 22);
  EXPECT_EQ(content.rfind("      http://h/ - file list\n\n", 0), 0u);
  EXPECT_EQ(EntryLines(content), "");
}

TEST_F(FileListActionsTest, AddressWithSlashIsRelativeToTheServerRoot) {
  dir.Write("tovimarq.ini", "FILELIST=list.txt\nSITEROOTURL=http://h/sub/\n");
  dir.Write("list.txt", "DIR=/data/\nURL=/docs/\nFILE=/f\nURL=docs/f\n");
  Act("act=delchk");
  EXPECT_EQ(Entries(),
            "DIR=/data/\nURL=http://h/docs/\n\nFILE=/f\nURL=http://h/sub/docs/f\n\n");
}

// Only the current configuration's file list is written.
TEST_F(FileListActionsTest, OtherListNamesAreRefused) {
  for (const std::string name : {"other.txt", "./list.txt", ""}) {
    for (const char* act : {"adddir1", "adddir3", "adddir2", "addfiles&files=a", "delall"}) {
      const std::string body = Post("target=flist&act=" + std::string(act) + "&fname=" + name +
                                    "&curdir=/d/&rempath=/x").Body();
      EXPECT_NE(body.find(" alert('Error creating file " + name + "');\n"), std::string::npos);
    }
  }
  EXPECT_FALSE(dir.Exists("other.txt") || dir.Exists("list.txt"));
}

// A configuration may name any file list for the engine; the utility writes one
// only in the data folder and never over its own files or a configuration.
struct ListNameCase {
  const char* name;
  std::string fileList;  // the FILELIST value; "@" stands for the program's folder
  std::function<void(const TempDir&)> arrange;
  std::string reason;  // what the file list page says
};

void PrintTo(const ListNameCase& c, std::ostream* out) { *out << c.name; }

class FileListNameTest : public CgiTest, public ::testing::WithParamInterface<ListNameCase> {};

TEST_P(FileListNameTest, ListIsNotWrittenAndThePageSaysWhy) {
  std::string name = GetParam().fileList;
  if (name[0] == '@') name.replace(0, 1, dir.path());
  dir.Write("tvqconf.dat", "tovimarq.ini\nother.ini\n");
  dir.Write("other.ini", "QUOTES=3\n");
  dir.Write("tovimarq.ini", "FILELIST=" + name + "\n");
  dir.MakeDir("site");
  dir.Write("site/index.html", "<html>");
  dir.MakeDir("tvqconf.history");
  GetParam().arrange(dir);
  const std::string before = dir.Read("tvqconf.dat") + dir.Read("other.ini") +
                             dir.Read("tovimarq.ini") + dir.Read("site/index.html");
  for (const char* act : {"adddir1", "adddir3", "addfiles&files=a", "delall"}) {
    const std::string page = Post("target=flist&act=" + std::string(act) + "&fname=" + name +
                                  "&curdir=/d/&rempath=/x").Body();
    EXPECT_NE(page.find(" alert('Error creating file " + name + "');\n"), std::string::npos);
  }
  EXPECT_EQ(dir.Read("tvqconf.dat") + dir.Read("other.ini") + dir.Read("tovimarq.ini") +
                dir.Read("site/index.html"),
            before);
  EXPECT_FALSE(dir.Exists("tvqconf.history/list.txt"));
  const std::string page = Get("target=flist").Body();
  EXPECT_NE(page.find("<b>" + GetParam().reason + ": changes to it can not be saved with this "
                      "utility.</b>"),
            std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileListNameTest,
    ::testing::Values(
        ListNameCase{"UpAndOut", "../index.html",
                     [](const TempDir&) {}, "This file list lies outside the tovimarqdata directory"},
        ListNameCase{"AbsoluteElsewhere",
                     "@/site/index.html",
                     [](const TempDir&) {}, "This file list lies outside the tovimarqdata directory"},
        ListNameCase{"StateFile", "tvqconf.dat",
                     [](const TempDir&) {}, "This file list belongs to the configuration utility itself"},
        ListNameCase{"LockFile", "./tvqconf.lock",
                     [](const TempDir& d) { d.Write("tvqconf.lock", ""); },
                     "This file list belongs to the configuration utility itself"},
        ListNameCase{"Program", "tvqconf.cgi",
                     [](const TempDir&) {}, "This file list belongs to the configuration utility itself"},
        ListNameCase{"InHistory", "tvqconf.history/list.txt",
                     [](const TempDir&) {}, "This file list belongs to the configuration utility itself"},
        ListNameCase{"LinkToHistory", "h/list.txt",
                     [](const TempDir& d) {
                       ASSERT_EQ(symlink("tvqconf.history", d.Path("h").c_str()), 0);
                     },
                     "This file list belongs to the configuration utility itself"},
        ListNameCase{"CurrentConfig", "tovimarq.ini",
                     [](const TempDir&) {}, "This file list is a configuration file"},
        ListNameCase{"LinkToOtherConfig", "o.txt",
                     [](const TempDir& d) { ASSERT_EQ(link(d.Path("other.ini").c_str(), d.Path("o.txt").c_str()), 0); },
                     "This file list is a configuration file"}),
    [](const auto& info) { return std::string(info.param.name); });

// A reload posts a removal again after it changed the list; an older page has no version.
TEST_F(FileListActionsTest, RemovalFromAPageOfAnotherListRemovesNothing) {
  // The message names the change that made the list what it is: the first removal.
  const std::regex message(" alert\\('list\\.txt was changed by admin on "
                           "\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d after this page was "
                           "shown; your change was not saved\\.'\\);\n");
  const auto refused = [&message](const std::string& page) {
    return std::regex_search(page, message);
  };
  for (const std::string act : {"&act=delchk&del=1", "&act=delall"}) {
    dir.Write("list.txt", "FILE=/a\nURL=/a\nFILE=/b\nURL=/b\n");
    const std::string request = "target=flist&fname=list.txt" + act;
    const std::string shown = request + "&version=" + Shown();
    EXPECT_EQ(Post(shown).Body().find("your change was not saved"), std::string::npos);
    const std::string left = dir.Read("list.txt");
    EXPECT_TRUE(refused(Post(shown).Body()));
    EXPECT_TRUE(refused(Post(request).Body()));
    EXPECT_EQ(dir.Read("list.txt"), left);
  }
}

TEST_F(FileListActionsTest, ChangeDirectoryBrowsesTheChosenFolder) {
  const std::string body = Post("target=flist&act=chdir&dirlist=/usr").Body();
  EXPECT_NE(body.find("Current directory: <b>/usr/</b>"), std::string::npos);
  EXPECT_NE(body.find(" <option value=\"/usr\" selected>&nbsp;&nbsp;&nbsp;usr</option>\n"),
            std::string::npos);
  EXPECT_FALSE(dir.Exists("list.txt"));
}

struct ReportCase {
  const char* label;
  const char* list;    // the list file before the action
  const char* fields;  // the action's fields
  const char* alert;   // the one message the page shows afterwards
  bool saved;          // whether the list file was written
};

class ActionReportTest : public FileListActionsTest,
                         public ::testing::WithParamInterface<ReportCase> {};

// Every action that adds or removes says what it did, in one message.
TEST_P(ActionReportTest, SaysWhatTheActionDid) {
  const ReportCase& c = GetParam();
  dir.MakeDir("d");
  for (const char* name : {"d/a.htm", "d/b.htm"}) dir.Write(name, "x");
  const std::string list = c.list;
  dir.Write("list.txt", list);
  std::string fields = c.fields;
  for (std::size_t at; (at = fields.find("DIR/")) != std::string::npos;) {
    fields.replace(at, 4, dir.Path("d/"));
  }
  const std::string page = Act(fields);
  EXPECT_NE(page.find(std::string(" alert('") + c.alert + "');\n"), std::string::npos) << page;
  EXPECT_EQ(page.find(" alert('"), page.rfind(" alert('")) << "more than one message";
  EXPECT_EQ(dir.Read("list.txt") != list, c.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, ActionReportTest,
    ::testing::Values(
        ReportCase{"Folder", "", "act=adddir1&curdir=/data/docs&rempath=/docs", "1 entry added",
                   true},
        ReportCase{"FolderListed", "DIR=/data/docs/\nURL=/docs/\n",
                   "act=adddir3&curdir=/data/docs&rempath=/docs",
                   "Nothing was added: /data/docs/ is already in the list", false},
        ReportCase{"UnderATree", "TREE=/data/\nURL=/x/\n",
                   "act=adddir1&curdir=/data/docs/x&rempath=/docs/x",
                   "Nothing was added: /data/docs/x/ is already in the list", false},
        ReportCase{"UnderATreeWithoutSlash", "TREE=/data\nURL=/x/\n",
                   "act=adddir3&curdir=/data/docs&rempath=/docs",
                   "Nothing was added: /data/docs/ is already in the list", false},
        ReportCase{"BesideATree", "TREE=/dat/\nURL=/x/\nDIR=/data/x/\nURL=/x/\n",
                   "act=adddir1&curdir=/data&rempath=/d", "1 entry added", true},
        ReportCase{"Files", "", "act=addfiles&curdir=/d&rempath=/x&files=a&files=b&files=c",
                   "3 entries added", true},
        ReportCase{"FolderFiles", "", "act=adddir2&curdir=DIR/&rempath=/x", "2 entries added",
                   true},
        ReportCase{"FilesListed", "FILE=/d/a\nURL=/x/a\n",
                   "act=addfiles&curdir=/d&rempath=/x&files=a", "0 entries added", false},
        ReportCase{"Checked", "FILE=/a\nURL=/a\nFILE=/b\nURL=/b\nFILE=/c\nURL=/c\n",
                   "act=delchk&del=1&del=3&del=7", "2 entries removed", true},
        ReportCase{"OneChecked", "FILE=/a\nURL=/a\nFILE=/b\nURL=/b\n", "act=delchk&del=2",
                   "1 entry removed", true},
        ReportCase{"All", "FILE=/a\nURL=/a\nFILE=/b\nURL=/b\nFILE=/c\nURL=/c\n", "act=delall",
                   "3 entries removed", true}),
    [](const ::testing::TestParamInfo<ReportCase>& info) { return info.param.label; });

// Names in UTF-8 and in windows-1252, and names with blanks a browser would trim
// from an option's text: each is offered, added and removed byte for byte, on a
// page whose character set shows it.
TEST_F(FileListActionsTest, NamesOfEitherEncodingRoundTripByteForByte) {
  struct Name {
    std::string bytes;
    std::string posted;
    std::string markup;
  };
  const Name names[] = {
      {"caf\xC3\xA9.htm", "caf%C3%A9.htm", "caf\xC3\xA9.htm"},
      {" lead.htm", "+lead.htm", " lead.htm"},
      {"two  spaces.htm", "two++spaces.htm", "two  spaces.htm"},
      {"caf\xE9.htm", "caf%E9.htm", "caf\xE9.htm"},
  };
  const auto header = [](const std::string& page) { return page.substr(0, page.find('\n')); };
  dir.MakeDir("d");
  for (int count = 1; count <= 4; ++count) {
    const Name& name = names[count - 1];
    dir.Write("d/" + name.bytes, "x");
    const CgiResponse browsed =
        Post("target=flist&act=chdir&fname=list.txt&dirlist=" + dir.Path("d"));
    EXPECT_EQ(header(browsed.output), count < 4 ? "Content-type: text/html; charset=utf-8"
                                                : "Content-type: text/html; charset=windows-1252");
    EXPECT_NE(browsed.Body().find(" <option value=\"" + name.markup + "\">" + name.markup +
                                  "</option>\n"),
              std::string::npos);
    const std::string added = Act("act=addfiles&curdir=" + dir.Path("d") +
                                  "&rempath=/x&files=" + name.posted);
    EXPECT_NE(added.find(" alert('1 entry added');"), std::string::npos) << name.bytes;
    EXPECT_NE(dir.Read("list.txt").find("FILE=" + dir.Path("d/") + name.bytes + "\n"),
              std::string::npos);
  }
  // The list's path of the windows-1252 name makes the page windows-1252 wherever it is browsed.
  EXPECT_EQ(header(Post("target=flist&act=chdir&fname=list.txt&dirlist=/").output),
            "Content-type: text/html; charset=windows-1252");
  EXPECT_NE(Act("act=delchk&del=1&del=2&del=3&del=4").find(" alert('4 entries removed');"),
            std::string::npos);
  EXPECT_EQ(Entries(), "");
}

class VirtualPathTest : public FileListActionsTest {
 protected:
  // The value the page gives the virtual path field while browsing `folder`.
  std::string Offered(const std::string& folder) {
    CgiRequest request;
    request.body = "target=flist&act=chdir&fname=list.txt&dirlist=" + folder;
    request.env["DOCUMENT_ROOT"] = dir.Path("www");
    const std::string page = Run(request).Body();
    const std::string field = "<input type=\"text\" name=\"rempath\" id=\"rempath\" value=\"";
    const std::size_t at = page.find(field);
    if (at == std::string::npos) return "(no field)";
    return page.substr(at + field.size(), page.find('"', at + field.size()) - at - field.size());
  }
};

// Under the document root the folder's address is offered; elsewhere nothing.
TEST_F(VirtualPathTest, FolderUnderTheDocumentRootGetsItsAddress) {
  dir.MakeDir("www/docs/a&b");
  dir.MakeDir("wwwx");
  const std::pair<std::string, std::string> cases[] = {
      {dir.Path("www"), "/"},
      {dir.Path("www/docs"), "/docs/"},
      {dir.Path("www/docs/a%26b/"), "/docs/a&amp;b/"},
      {dir.Path("www/docs/../docs"), "/docs/"},
      {dir.Path("wwwx"), ""},
      {"/", ""},
  };
  for (const auto& [folder, offered] : cases) EXPECT_EQ(Offered(folder), offered) << folder;
}

}  // namespace
