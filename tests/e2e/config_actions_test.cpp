// The actions "selini", "copyini" and "delini": the list, the state file, the files, the messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <ostream>
#include <string>
#include <vector>

#include "e2e/config_state_fixture.h"

namespace {

const char kOutside[] =
    "You can not create configuration files located outside the tovimarqdata directory "
    "using this configuration utility.";

// Every name in the program directory and below it, but for the change history
// that records every write.
std::set<std::string> FilesBelow(const std::string& directory) {
  std::set<std::string> names;
  for (auto it = std::filesystem::recursive_directory_iterator(directory);
       it != std::filesystem::recursive_directory_iterator(); ++it) {
    if (it->path().filename() == "tvqconf.history") {
      it.disable_recursion_pending();
      continue;
    }
    names.insert(it->path().string());
  }
  return names;
}

struct ListActionCase {
  std::string label;
  std::string stateFile;
  std::string query;
  std::optional<std::string> savedState;  // nullopt: the state file is left as it was
  std::string current;                    // shown on the page of the action's request
  std::string message;                    // the one alert, or empty for none
};

std::ostream& operator<<(std::ostream& out, const ListActionCase& c) { return out << c.label; }

std::string OwnFile(const std::string& name) {
  return "The file \"" + name +
         "\" belongs to this configuration utility itself and can not be a configuration file.";
}

class ListActionTest : public ConfigStateTest,
                       public ::testing::WithParamInterface<ListActionCase> {
 protected:
  void SetUp() override {
    for (const char* name : {"a.ini", "b.ini", "c.ini", "a\r.ini"}) {
      WriteFile(name, "; old\r\n \t\n  # x\nLANGUAGE=english\r\n");
    }
    dir.MakeDir("d.ini");
    // As every earlier request leaves it: the test looks for files the action makes.
    WriteFile("tvqconf.lock", "");
    WriteFile("filelist.txt", "FILE=/d/a.htm\nURL=http://h/a.htm\n");  // the file list of them all
    WriteFile("notes.txt", "QUOTES=5\nremember the milk\n");
    WriteFile("English.tvl", "");
    WriteFile("comments.ini", "; nothing set yet\n\n# LANGUAGE=english\n");
    WriteFile("unknown.ini", "COLOUR=blue\n");
    dir.MakeDir("tvqconf.history");
  }
};

// Cases that create no file: only the list, the state file and messages change.
TEST_P(ListActionTest, ChangesListStateAndMessages) {
  const ListActionCase& c = GetParam();
  WriteFile("tvqconf.dat", c.stateFile);
  const std::set<std::string> before = FilesBelow(dir.path());
  const std::string body = Request(c.query).Body();
  EXPECT_EQ(dir.Read("tvqconf.dat"), c.savedState.value_or(c.stateFile));
  EXPECT_EQ(SelectedIn(body), c.current);
  if (c.message.empty()) {
    EXPECT_EQ(body.find(" alert('"), std::string::npos);
  } else {
    EXPECT_NE(body.find(Alert(c.message)), std::string::npos);
  }
  EXPECT_EQ(FilesBelow(dir.path()), before);
}

// Written with CR LF and no final line end, so any rewrite shows.
const char kThree[] = "a.ini\r\nb.ini\r\nc.ini";
const char kTwo[] = "a.ini\r\nb.ini";
// Deleting forgets the configuration and leaves its file, as the message says.
const char kKeptA[] = "a.ini was removed from the list; its file was kept";
const char kKeptB[] = "b.ini was removed from the list; its file was kept";

INSTANTIATE_TEST_SUITE_P(
    Select, ListActionTest,
    ::testing::Values(
        ListActionCase{"Third", kThree, "act=selini&ini=2", "c.ini\na.ini\nb.ini\n", "c.ini", ""},
        ListActionCase{"Second", kThree, "act=selini&ini=1", "b.ini\na.ini\nc.ini\n", "b.ini", ""},
        ListActionCase{"First", kThree, "act=selini&ini=0", std::nullopt, "a.ini", ""},
        ListActionCase{"BeyondList", kThree, "act=selini&ini=3", std::nullopt, "a.ini", ""},
        ListActionCase{"Negative", kThree, "act=selini&ini=-1", std::nullopt, "a.ini", ""},
        ListActionCase{"NotANumber", kThree, "act=selini&ini=x", std::nullopt, "a.ini", ""},
        ListActionCase{"TrailingBytes", kThree, "act=selini&ini=1x", std::nullopt, "a.ini", ""},
        ListActionCase{"Absent", kThree, "act=selini", std::nullopt, "a.ini", ""}),
    [](const ::testing::TestParamInfo<ListActionCase>& info) { return info.param.label; });

INSTANTIATE_TEST_SUITE_P(
    Delete, ListActionTest,
    ::testing::Values(
        ListActionCase{"Second", kTwo, "act=delini&ini=b.ini", "a.ini\n", "a.ini", kKeptB},
        ListActionCase{"First", kTwo, "act=delini&ini=a.ini", "b.ini\n", "b.ini", kKeptA},
        ListActionCase{"EveryCopy", "a.ini\nb.ini\na.ini\n", "act=delini&ini=a.ini", "b.ini\n",
                       "b.ini", kKeptA},
        ListActionCase{"WholeList", "a.ini\na.ini\n", "act=delini&ini=a.ini", "", "a.ini",
                       kKeptA},
        ListActionCase{"OnlyEntry", "a.ini\r\n", "act=delini&ini=a.ini", std::nullopt, "a.ini", ""},
        ListActionCase{"NotListed", kTwo, "act=delini&ini=c.ini", std::nullopt, "a.ini", ""},
        ListActionCase{"OtherCase", kTwo, "act=delini&ini=B.INI", std::nullopt, "a.ini", ""},
        ListActionCase{"Absent", kTwo, "act=delini", std::nullopt, "a.ini", ""}),
    [](const ::testing::TestParamInfo<ListActionCase>& info) { return info.param.label; });

INSTANTIATE_TEST_SUITE_P(
    CopyRefused, ListActionTest,
    ::testing::Values(
        ListActionCase{"EmptyTarget", kTwo, "act=copyini&ini=a.ini&newini=", std::nullopt, "a.ini",
                       ""},
        ListActionCase{"NoTarget", kTwo, "act=copyini&ini=a.ini", std::nullopt, "a.ini", ""},
        ListActionCase{"EmptySource", kTwo, "act=copyini&ini=&newini=x.ini", std::nullopt, "a.ini",
                       "Error creating file x.ini"},
        ListActionCase{"NoSource", kTwo, "act=copyini&newini=x.ini", std::nullopt, "a.ini", ""},
        ListActionCase{"MissingSource", kTwo, "act=copyini&ini=z.ini&newini=x.ini", std::nullopt,
                       "a.ini", "Error creating file x.ini"},
        ListActionCase{"SourceIsZeroCut", kTwo, "act=copyini&ini=a.ini%00z&newini=x.ini",
                       std::nullopt, "a.ini", "Error creating file x.ini"},
        ListActionCase{"SourceWithLineBreak", kTwo, "act=copyini&ini=a%0D.ini&newini=x.ini",
                       std::nullopt, "a.ini", "Error creating file x.ini"},
        ListActionCase{"ClimbsUp", kTwo, "act=copyini&ini=a.ini&newini=../x.ini", std::nullopt,
                       "a.ini", kOutside},
        ListActionCase{"ClimbsInside", kTwo, "act=copyini&ini=a.ini&newini=d.ini/../x.ini",
                       std::nullopt, "a.ini", kOutside},
        ListActionCase{"AbsoluteOutside", kTwo, "act=copyini&ini=a.ini&newini=/etc/x.ini",
                       std::nullopt, "a.ini", kOutside},
        ListActionCase{"CarriageReturn", kTwo, "act=copyini&ini=a.ini&newini=x%0D.ini",
                       std::nullopt, "a.ini", kOutside},
        ListActionCase{"LineFeed", kTwo, "act=copyini&ini=a.ini&newini=x%0A.ini", std::nullopt,
                       "a.ini", kOutside},
        ListActionCase{"ZeroByte", kTwo, "act=copyini&ini=a.ini&newini=x.ini%00y", std::nullopt,
                       "a.ini", kOutside},
        ListActionCase{"LockFile", kTwo, "act=copyini&ini=a.ini&newini=./tvqconf.lock",
                       std::nullopt, "a.ini", OwnFile("./tvqconf.lock")},
        ListActionCase{"StateFile", kTwo, "act=copyini&ini=a.ini&newini=tvqconf.dat",
                       std::nullopt, "a.ini", OwnFile("tvqconf.dat")},
        ListActionCase{"Program", kTwo, "act=copyini&ini=a.ini&newini=tvqconf.cgi",
                       std::nullopt, "a.ini", OwnFile("tvqconf.cgi")},
        ListActionCase{"InHistory", kTwo, "act=copyini&ini=a.ini&newini=tvqconf.history/x.ini",
                       std::nullopt, "a.ini", OwnFile("tvqconf.history/x.ini")},
        ListActionCase{"ExistingDirectory", kTwo, "act=copyini&ini=a.ini&newini=d.ini",
                       std::nullopt, "a.ini",
                       "The directory \"d.ini\" already exists. You can not create a file "
                       "with the same name."},
        ListActionCase{"NoSuchFolder", kTwo, "act=copyini&ini=a.ini&newini=none/x.ini",
                       std::nullopt, "a.ini", "Error creating file none/x.ini"}),
    [](const ::testing::TestParamInfo<ListActionCase>& info) { return info.param.label; });

std::string Kept(const std::string& name) {
  return "The file \"" + name + "\" was not changed because it already exists.";
}

std::string NotListed(const std::string& name) {
  return "The file \"" + name + "\" is not a configuration file and was not selected.";
}

// An existing file is listed only when it is a configuration, and only once.
INSTANTIATE_TEST_SUITE_P(
    CopyOntoExisting, ListActionTest,
    ::testing::Values(
        ListActionCase{"FileList", kTwo, "act=copyini&ini=a.ini&newini=filelist.txt",
                       std::nullopt, "a.ini", NotListed("filelist.txt")},
        ListActionCase{"FileListByOtherName", kTwo, "act=copyini&ini=a.ini&newini=./filelist.txt",
                       std::nullopt, "a.ini", NotListed("./filelist.txt")},
        ListActionCase{"OtherText", kTwo, "act=copyini&ini=a.ini&newini=notes.txt", std::nullopt,
                       "a.ini", NotListed("notes.txt")},
        ListActionCase{"EmptyFile", kTwo, "act=copyini&ini=a.ini&newini=English.tvl",
                       std::nullopt, "a.ini", NotListed("English.tvl")},
        ListActionCase{"CommentsOnly", kTwo, "act=copyini&ini=a.ini&newini=comments.ini",
                       std::nullopt, "a.ini", NotListed("comments.ini")},
        ListActionCase{"UnknownKeysOnly", kTwo, "act=copyini&ini=a.ini&newini=unknown.ini",
                       std::nullopt, "a.ini", NotListed("unknown.ini")},
        ListActionCase{"Unlisted", kTwo, "act=copyini&ini=a.ini&newini=c.ini",
                       "c.ini\na.ini\nb.ini\n", "c.ini", Kept("c.ini")}),
    [](const ::testing::TestParamInfo<ListActionCase>& info) { return info.param.label; });

class CopyConfigTest : public ConfigStateTest {
 protected:
  void SetUp() override {
    WriteFile("a.ini", "LANGUAGE=english\r\nFILELIST=list.txt\r\n\r\nQUOTES=3");
    WriteFile("b.ini", "LANGUAGE=german\n");
    WriteFile("tvqconf.dat", "a.ini\nb.ini\n");
  }
};

TEST_F(CopyConfigTest, CopyEndsEveryLineWithLineFeedAndSelectsIt) {
  const std::string body = Request("act=copyini&ini=a.ini&newini=new.ini&target=mconf").Body();
  EXPECT_EQ(dir.Read("new.ini"), "LANGUAGE=english\nFILELIST=list.txt\n\nQUOTES=3\n");
  EXPECT_EQ(dir.Read("a.ini"), "LANGUAGE=english\r\nFILELIST=list.txt\r\n\r\nQUOTES=3");
  EXPECT_EQ(dir.Read("tvqconf.dat"), "new.ini\na.ini\nb.ini\n");
  EXPECT_EQ(body.find(" alert('"), std::string::npos);
  EXPECT_NE(body.find(" <option selected value=\"new.ini\">new.ini</option>\n"
                      " <option value=\"a.ini\">a.ini</option>\n"),
            std::string::npos);
  EXPECT_EQ(Current(), "new.ini");
}

TEST_F(CopyConfigTest, SourceNeedNotBeTheCurrentConfiguration) {
  Request("act=copyini&ini=b.ini&newini=sub.ini");
  EXPECT_EQ(dir.Read("sub.ini"), "LANGUAGE=german\n");
  EXPECT_EQ(Listed(), (std::vector<std::string>{"sub.ini", "a.ini", "b.ini"}));
}

TEST_F(CopyConfigTest, AbsoluteNameInsideTheDataDirectoryIsCopied) {
  dir.MakeDir("tovimarqdata");
  const std::string target = dir.Path("tovimarqdata/x.ini");
  Request("act=copyini&ini=b.ini&newini=" + target);
  EXPECT_EQ(ReadWholeFile(target), "LANGUAGE=german\n");
  EXPECT_EQ(Current(), target);
}

TEST_F(CopyConfigTest, ExistingFileIsKeptButSelected) {
  const std::string body = Request("act=copyini&ini=a.ini&newini=b.ini").Body();
  EXPECT_EQ(dir.Read("b.ini"), "LANGUAGE=german\n");
  EXPECT_NE(body.find(Alert("The file \"b.ini\" was not changed because it already exists.")),
            std::string::npos);
  EXPECT_EQ(SelectedIn(body), "b.ini");
  EXPECT_EQ(dir.Read("tvqconf.dat"), "b.ini\na.ini\n");
}

TEST_F(CopyConfigTest, SourceWithoutWritePermissionIsNotCopied) {
  WriteFile("a.ini", "LANGUAGE=english\n", 0644);
  WriteFile("b.ini", "LANGUAGE=german\n", 0666);
  WriteFile("tvqconf.dat", "b.ini\n", 0644);
  const std::string body = Request("act=copyini&ini=a.ini&newini=x.ini", true).Body();
  EXPECT_FALSE(dir.Exists("x.ini"));
  EXPECT_NE(body.find(Alert("Error creating file x.ini")), std::string::npos);
  EXPECT_EQ(dir.Read("tvqconf.dat"), "b.ini\n");
}

TEST_F(CopyConfigTest, TargetFolderWithoutWritePermissionGivesCreationMessage) {
  dir.MakeDir("locked");
  chmod(dir.Path("locked").c_str(), 0755);
  const std::string body = Request("act=copyini&ini=a.ini&newini=locked/x.ini", true).Body();
  EXPECT_FALSE(dir.Exists("locked/x.ini"));
  EXPECT_NE(body.find(Alert("Error creating file locked/x.ini")), std::string::npos);
  EXPECT_EQ(dir.Read("tvqconf.dat"), "a.ini\nb.ini\n");
}

}  // namespace
