// The warning mark of the entry table: given to every path that cannot be found.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <sstream>

#include "app/app_state.h"
#include "filelist/file_list_page.h"
#include "support/temp_dir.h"

namespace {

const std::string kMark = "<font color=\"#a00000\"><b>*</b></font>\n";

struct MarkCase {
  std::string path;  // below the test directory
  int kind;
  bool marked;
};

// Renders the page for the entries, browsing `browsed` (below the test
// directory), and tells, row by row, which carry the mark.
std::vector<bool> MarkedRows(const TempDir& dir, const std::vector<MarkCase>& cases,
                             const std::string& browsed) {
  AppState state;
  state.browseDir = dir.path() + "/" + browsed;
  for (const MarkCase& entry : cases) state.fileList.Insert({dir.Path(entry.path), "", entry.kind});
  std::ostringstream page;
  PageWriter out(page);
  RenderFileListPage(out, state);
  // Each row has two cells of this kind: the path, then the address.
  const std::string text = page.str();
  std::vector<bool> marked;
  bool pathCell = true;
  for (std::size_t cell = text.find(" <nobr>"); cell != std::string::npos;
       cell = text.find(" <nobr>", cell + 1), pathCell = !pathCell) {
    if (pathCell) marked.push_back(text.compare(cell + 7, kMark.size(), kMark) == 0);
  }
  return marked;
}

// Expects each entry's mark, the rows being in list order: sorted by path, equal
// paths as inserted.
void ExpectMarks(const TempDir& dir, const std::vector<MarkCase>& cases,
                 const std::string& browsed = "") {
  std::vector<MarkCase> sorted = cases;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const MarkCase& a, const MarkCase& b) { return a.path < b.path; });
  std::vector<bool> expected;
  for (const MarkCase& entry : sorted) expected.push_back(entry.marked);
  EXPECT_EQ(MarkedRows(dir, cases, browsed), expected);
}

TEST(FileListMarksTest, MarksEveryPathThatIsNeitherFileNorFolder) {
  TempDir dir;
  dir.MakeDir("www/sub");
  dir.Write("www/m2.htm", "x");
  dir.Write("www/file.htm", "x");
  const std::vector<MarkCase> cases = {
      {"gone/a.htm", kKindFile, true},       {"gone/b/c.htm", kKindFile, true},
      {"gone/d/", kKindTree, true},          {"www/file.htm", kKindFile, false},
      {"www/file.htm/x", kKindFile, true},   {"www/m/a.htm", kKindFile, true},
      {"www/m2.htm", kKindFile, false},      {"www/missing.htm", kKindFile, true},
      {"www/sub", kKindFile, false},         {"www/sub/", kKindDir, false},
      {"www/sub/gone/", kKindDir, true},     {"www/sub2", kKindDir, true},
  };
  ExpectMarks(dir, cases);
}

// Twenty entries or more in one folder are checked against its listing (the
// page's own when that folder is the one browsed): every kind of entry there
// must get the mark that looking up its path gives.
TEST(FileListMarksTest, LongRunInOneFolderMarksAsLookingUpEachPath) {
  TempDir dir;
  dir.MakeDir("www/sub");
  for (int i = 0; i < 20; ++i) dir.Write("www/page" + std::to_string(i) + ".htm", "x");
  ASSERT_EQ(symlink(dir.Path("www/page1.htm").c_str(), dir.Path("www/link").c_str()), 0);
  ASSERT_EQ(symlink(dir.Path("www/gone.htm").c_str(), dir.Path("www/dangling").c_str()), 0);
  ASSERT_EQ(symlink(dir.Path("www/sub").c_str(), dir.Path("www/sublink").c_str()), 0);
  std::vector<MarkCase> cases;
  for (int i = 0; i < 22; ++i) cases.push_back({"www/page" + std::to_string(i) + ".htm", kKindFile, i >= 20});
  for (const MarkCase& entry : std::vector<MarkCase>{
           {"www/page3.htm", kKindFile, false},  {"www/page3.htm/", kKindDir, true},
           {"www/sub", kKindFile, false},        {"www/sub/", kKindTree, false},
           {"www/link", kKindFile, false},       {"www/link/", kKindDir, true},
           {"www/dangling", kKindFile, true},    {"www/sublink/", kKindDir, false},
           {"www/.", kKindDir, false},           {"www/..", kKindDir, false},
           {"www/x\\y", kKindFile, true},       {"www/page4.htm//", kKindDir, true},
           {"www/sub//", kKindDir, false},       {"www//page5.htm", kKindFile, false}}) {
    cases.push_back(entry);
  }
  for (const std::string browsed : {"", "www/"}) {
    SCOPED_TRACE("browsing \"" + browsed + "\"");
    ExpectMarks(dir, cases, browsed);
  }
}

// A run in a folder of many more files reads only part of the listing: the
// entries it leaves unsettled are looked up one by one, and equal paths once.
TEST(FileListMarksTest, RunInALargeFolderMarksAsLookingUpEachPath) {
  TempDir dir;
  dir.MakeDir("big");
  for (int i = 0; i < 400; ++i) dir.Write("big/f" + std::to_string(i) + ".htm", "x");
  std::vector<MarkCase> cases;
  for (int i = 0; i < 24; ++i) {
    const int number = i * 37 % 500;
    cases.push_back({"big/f" + std::to_string(number) + ".htm", kKindFile, number >= 400});
  }
  for (int copy = 0; copy < 2; ++copy) {
    cases.push_back({"big/f5.htm", kKindFile, false});
    cases.push_back({"big/f450.htm", kKindFile, true});
  }
  ExpectMarks(dir, cases);
}

TEST(FileListMarksTest, NoteFollowsTheTableOnlyWhenARowIsMarked) {
  TempDir dir;
  dir.Write("here.htm", "x");
  AppState state;
  state.fileList.Insert({dir.Path("here.htm"), "", kKindFile});
  std::ostringstream page;
  PageWriter out(page);
  RenderFileListPage(out, state);
  EXPECT_EQ(page.str().find("* - Warning:"), std::string::npos);
  state.fileList.Insert({dir.Path("there.htm"), "", kKindFile});
  RenderFileListPage(out, state);
  EXPECT_NE(page.str().find("</table>\n</div>\n\n<font color=\"#a00000\"><b>* - Warning:</b></font>"),
            std::string::npos);
}

}  // namespace
