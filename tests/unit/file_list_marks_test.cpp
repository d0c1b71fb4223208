// The warning mark of the entry table: given to every path that cannot be found.
#include <gtest/gtest.h>

#include <sstream>

#include "app/app_state.h"
#include "filelist/file_list_page.h"
#include "support/temp_dir.h"

namespace {

const std::string kMark = "<font color=\"#ff0000\"><b>*</b></font>\n";

struct MarkCase {
  std::string path;  // below the test directory
  int kind;
  bool marked;
};

// Renders the page for the entries and tells, row by row, which carry the mark.
std::vector<bool> MarkedRows(const TempDir& dir, const std::vector<MarkCase>& cases) {
  AppState state;
  state.browseDir = dir.path() + "/";
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

TEST(FileListMarksTest, MarksEveryPathThatIsNeitherFileNorFolder) {
  TempDir dir;
  dir.MakeDir("www/sub");
  dir.Write("www/m2.htm", "x");
  dir.Write("www/file.htm", "x");
  // In list order, which the rendering walks.
  const std::vector<MarkCase> cases = {
      {"gone/a.htm", kKindFile, true},       {"gone/b/c.htm", kKindFile, true},
      {"gone/d/", kKindTree, true},          {"www/file.htm", kKindFile, false},
      {"www/file.htm/x", kKindFile, true},   {"www/m/a.htm", kKindFile, true},
      {"www/m2.htm", kKindFile, false},      {"www/missing.htm", kKindFile, true},
      {"www/sub", kKindFile, false},         {"www/sub/", kKindDir, false},
      {"www/sub/gone/", kKindDir, true},     {"www/sub2", kKindDir, true},
  };
  std::vector<bool> expected;
  for (const MarkCase& entry : cases) expected.push_back(entry.marked);
  EXPECT_EQ(MarkedRows(dir, cases), expected);
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
  EXPECT_NE(page.str().find("</table>\n\n<font color=\"#ff0000\"><b>* - Warning:</b></font>"),
            std::string::npos);
}

}  // namespace
