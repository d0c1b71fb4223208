// The change history: what each action records, restoring, staleness, retention and faults.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <vector>

#include "history/version_guard.h"
#include "support/cgi_test.h"

namespace {

const char kLog[] = "tvqconf.history/log";

// One line of the log split at its TABs.
std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
  return fields;
}

class HistoryTest : public CgiTest {
 protected:
  void SetUp() override {
    dir.Write("tovimarq.ini", "QUOTES=30\nFILELIST=list.txt\n");
    dir.Write("help.htm", "one\ntwo\nthree\n");
  }
  // Posts `fields` with the version of `file`, as its page would, as alice from 10.0.0.7.
  std::string Act(const std::string& fields, const std::string& file = "") {
    CgiRequest request;
    request.body = file.empty() ? fields : fields + "&" + VersionField(file);
    request.remoteUser = "alice";
    request.env = {{"REMOTE_ADDR", "10.0.0.7"}};
    return Run(request).Body();
  }
  std::vector<std::vector<std::string>> LogLines() const {
    std::vector<std::vector<std::string>> lines;
    std::stringstream in(dir.Exists(kLog) ? dir.Read(kLog) : "");
    for (std::string line; std::getline(in, line);) lines.push_back(Fields(line));
    return lines;
  }
  bool Kept(const std::string& id) const { return dir.Exists("tvqconf.history/versions/" + id); }
};

// Each action that writes a file leaves one line per file written: who, from
// where, which action and file, and the ids before and after.
TEST_F(HistoryTest, EveryWritingActionIsRecorded) {
  struct Step { std::string fields, guarded, file; };
  const std::vector<Step> steps = {
      {"target=main&act=setdefs&isquotes=&quotes=50&isfilelist=&filelist=list.txt",
       "tovimarq.ini", "tovimarq.ini"},
      {"target=editor&act=save&file=help.htm&text=one%0Atwo%0A", "help.htm", "help.htm"},
      {"target=flist&act=adddir1&fname=list.txt&curdir=/d/&rempath=/x", "", "list.txt"},
      {"target=flist&act=delall&fname=list.txt", "list.txt", "list.txt"},
      {"target=testform&act=saveform", "searchform.htm", "searchform.htm"},
      {"target=mconf&act=copyini&ini=tovimarq.ini&newini=b.ini", "tvqconf.dat", "b.ini"},
  };
  std::vector<std::string> befores;
  for (const Step& step : steps) {
    befores.push_back(CurrentVersionOf(dir.Path(step.file)));
    Act(step.fields, step.guarded);
  }
  const auto lines = LogLines();
  ASSERT_EQ(lines.size(), steps.size() + 1);  // copyini writes tvqconf.dat too
  for (std::size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE(steps[i].fields);
    ASSERT_EQ(lines[i].size(), 8u);
    EXPECT_EQ(lines[i][0], std::to_string(i + 1));
    EXPECT_TRUE(std::regex_match(lines[i][1], std::regex("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ")));
    EXPECT_EQ(lines[i][2] + " " + lines[i][3], "alice 10.0.0.7");
    EXPECT_EQ(lines[i][5], steps[i].file);
    EXPECT_EQ(lines[i][6], befores[i]);
    EXPECT_TRUE(lines[i][6] == "-" || Kept(lines[i][6]));
  }
  EXPECT_EQ(lines.back()[4] + " " + lines.back()[5], "copyini tvqconf.dat");
  EXPECT_EQ(lines.back()[7], CurrentVersionOf(dir.Path("tvqconf.dat")));
}

TEST_F(HistoryTest, RestoreWritesTheVersionBackAndCanItselfBeUndone) {
  Act("target=editor&act=save&file=help.htm&text=changed%0A", "help.htm");
  std::string page = Act("target=history&act=restore&seq=1", "help.htm");
  EXPECT_NE(page.find("alert('help.htm was restored as it was before change 1');"), page.npos);
  EXPECT_EQ(dir.Read("help.htm"), "one\ntwo\nthree\n");
  EXPECT_NE(page.find(">Restored</a>"), page.npos);
  page = Act("target=history&act=restore&seq=2", "help.htm");
  EXPECT_NE(page.find("before change 2');"), page.npos);
  EXPECT_EQ(dir.Read("help.htm"), "changed\n");
  EXPECT_EQ(LogLines().size(), 3u);
}

// A form drawn before the file changed, or one without a version, replaces nothing.
TEST_F(HistoryTest, StaleFormsAreRefusedAndSayWhoChangedTheFile) {
  dir.Write("tvqconf.dat", "tovimarq.ini\nb.ini\n");
  dir.Write("b.ini", "QUOTES=3\n");
  dir.Write("searchform.htm", "old form\n");
  dir.Write("list.txt", "      x - file list\n\nFILE=/a\nURL=/a\n");
  Act("target=editor&act=save&file=help.htm&text=first", "help.htm");
  const std::string stale = "version=" + CurrentVersionOf(dir.Path("tovimarq.ini")) + "0";
  for (const char* form :
       {"target=editor&act=save&file=help.htm&text=second", "target=main&act=setdefs&isquotes=&quotes=9",
        "target=main&act=selini&ini=1", "target=testform&act=saveform",
        "target=flist&act=delall&fname=list.txt", "target=history&act=restore&seq=1"}) {
    for (const std::string& version : {std::string(), "&" + stale}) {
      SCOPED_TRACE(form + version);
      const std::string page = Act(form + version);
      EXPECT_NE(page.find(" after this page was shown; your change was not saved.');"), page.npos);
    }
  }
  EXPECT_NE(Act("target=editor&act=save&file=help.htm&text=second").find(
                "alert('help.htm was changed by alice on "),
            std::string::npos);
  EXPECT_EQ(dir.Read("help.htm") + dir.Read("tovimarq.ini") + dir.Read("tvqconf.dat") +
                dir.Read("searchform.htm") + dir.Read("list.txt"),
            "firstQUOTES=30\nFILELIST=list.txt\ntovimarq.ini\nb.ini\nold form\n"
            "      x - file list\n\nFILE=/a\nURL=/a\n");
  EXPECT_EQ(LogLines().size(), 1u);
}

// The typed text survives a refused save, ready to be saved over the file on purpose.
TEST_F(HistoryTest, RefusedEditorSaveKeepsTheTypedText) {
  const std::string seen = VersionField("help.htm");
  Act("target=editor&act=save&file=help.htm&text=theirs", "help.htm");
  const std::string page = Act("target=redit&act=save&file=help.htm&text=mine%3C&" + seen);
  EXPECT_NE(page.find("rows=20 cols=80>\nmine&lt;</textarea>"), page.npos);
  EXPECT_NE(page.find("name=\"version\" value=\"" + CurrentVersionOf(dir.Path("help.htm"))),
            page.npos);
  Act("target=editor&act=save&file=help.htm&text=mine", "help.htm");
  EXPECT_EQ(dir.Read("help.htm"), "mine");
}

// When the previous version cannot be kept, the file is not changed at all.
TEST_F(HistoryTest, HistoryThatCannotBeWrittenRefusesTheChange) {
  dir.MakeDir("tvqconf.history");
  dir.MakeDir("tvqconf.history/versions");
  ASSERT_EQ(chmod(dir.Path("tvqconf.history/versions").c_str(), 0555), 0);
  CgiRequest request;
  request.body = "target=editor&act=save&file=help.htm&text=new&" + VersionField("help.htm");
  request.unprivileged = true;
  ASSERT_EQ(chmod(dir.Path("tvqconf.history").c_str(), 0777), 0);
  ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
  ASSERT_EQ(chmod(dir.Path("help.htm").c_str(), 0666), 0);
  const std::string page = Run(request).Body();
  EXPECT_NE(page.find("alert('help.htm was not changed: its previous version could not be kept "
                      "(Permission denied)');"),
            page.npos);
  EXPECT_EQ(dir.Read("help.htm"), "one\ntwo\nthree\n");
  EXPECT_FALSE(dir.Exists(kLog));
}

// Only the versions of the newest changes stay; older log lines remain, shown as no longer kept.
TEST_F(HistoryTest, RetentionRemovesOnlyTheOldestVersions) {
  for (const char* text : {"a", "b", "c", "d"}) {
    CgiRequest request;
    request.body = std::string("target=editor&act=save&file=help.htm&text=") + text + "&" +
                   VersionField("help.htm");
    request.env = {{"TVQ_HISTORY_CHANGES", "2"}};
    Run(request);
  }
  const auto lines = LogLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_FALSE(Kept(lines[0][6]));
  EXPECT_FALSE(Kept(lines[1][6]));
  EXPECT_TRUE(Kept(lines[2][6]));
  EXPECT_TRUE(Kept(lines[3][6]));
  const std::string page = Get("target=history").Body();
  EXPECT_NE(page.find("no longer kept"), page.npos);
}

// The diff shows every byte escaped, each changed line with its sign and number.
TEST_F(HistoryTest, DiffPageEscapesAndMarksLines) {
  Act("target=editor&act=save&file=help.htm&text=one%0A%3Cb%3E%26two%0Athree%0A", "help.htm");
  const std::string page = Get("target=histdiff&seq=1").Body();
  EXPECT_NE(page.find("<td>2</td>\n<td></td>\n<td><pre>-two</pre>"), page.npos);
  EXPECT_NE(page.find("<td></td>\n<td>2</td>\n<td><pre>+&lt;b&gt;&amp;two</pre>"), page.npos);
  EXPECT_NE(page.find("@@ -1,3 +1,3 @@"), page.npos);
  EXPECT_EQ(page.find("<b>&two"), page.npos);
}

// Log fields hold no TAB or line break, whatever the user, address or file name.
TEST_F(HistoryTest, LogFieldsAreEscaped) {
  dir.Write("a b%.htm", "x");
  const std::string before = CurrentVersionOf(dir.Path("a b%.htm"));
  CgiRequest request;
  request.body = "target=editor&act=save&file=a+b%25.htm&text=y&" + VersionField("a b%.htm");
  request.remoteUser = "ev\til\nuser";
  request.env = {{"REMOTE_ADDR", "1.2.3.4\x7f"}};
  Run(request);
  const std::string log = dir.Read(kLog);
  EXPECT_EQ(log.substr(log.find('Z') + 2), "ev%09il%0Auser\t1.2.3.4%7F\tsave\ta%20b%25.htm\t" +
                                               before + "\t" +
                                               CurrentVersionOf(dir.Path("a b%.htm")) + "\n");
}

}  // namespace
