// The change log's lines and the line differences shown for a change.
#include <gtest/gtest.h>

#include <string>

#include "history/change_log.h"
#include "history/line_diff.h"

namespace {

// Whatever the text fields hold, a line splits into its eight fields and reads back whole.
TEST(ChangeLogTest, LinesReadBackWhateverTheFieldsHold) {
  for (const std::string& text :
       {std::string("plain"), std::string("tab\there"), std::string("line\nbreak\r"),
        std::string("100%"), std::string("del\x7f and \x01"), std::string("caf\xc3\xa9"),
        std::string()}) {
    SCOPED_TRACE(text);
    const Change change{12, "2026-12-08T23:59:59Z", text, text, "save", text, "-", "ab12"};
    const std::string line = FormatChange(change);
    EXPECT_EQ(line.find_first_of("\n\r"), std::string::npos);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 7);
    Change read;
    ASSERT_TRUE(ParseChange(line, read));
    // An empty field is written as "-" so that no field is ever empty.
    const std::string expected = text.empty() ? "-" : text;
    EXPECT_EQ(read.user + "|" + read.address + "|" + read.file,
              expected + "|" + expected + "|" + expected);
    EXPECT_EQ(read.sequence, 12);
  }
}

TEST(ChangeLogTest, OtherLinesAreNotChanges) {
  Change change;
  for (const char* line : {"", "1\t2\t3", "x\tt\tu\ta\tact\tf\t-\t-", "0\tt\tu\ta\tact\tf\t-\t-",
                           "1\tt\tu\ta\tact\tf\t-\t-\textra"}) {
    EXPECT_FALSE(ParseChange(line, change)) << line;
  }
}

TEST(ChangeLogTest, LinesAreTakenNewestFirstWithoutBlanks) {
  const auto joined = [](const std::string& text) {
    std::string lines;
    VisitNewestFirst(text, [&lines](std::string_view line) {
      lines += std::string(line) + "|";
      return true;
    });
    return lines;
  };
  EXPECT_EQ(joined(""), "");
  EXPECT_EQ(joined("a\n"), "a|");
  EXPECT_EQ(joined("a\nb"), "b|a|");
  EXPECT_EQ(joined("\na\n\n\nb\n"), "b|a|");
  EXPECT_EQ(LogField("1\tt\tu", 2), "u");
  EXPECT_EQ(LogField("1\tt\tu", 3), "");
}

struct DiffCase {
  const char* name;
  std::string before, after;
  long added, removed;
  std::string hunks;  // each hunk's "@@ -a,b +c,d @@" followed by its signs
};

std::string Shape(const LineDiff& diff) {
  std::string shape;
  for (const DiffHunk& hunk : diff.hunks) {
    shape += "@@ -" + std::to_string(hunk.oldStart) + "," + std::to_string(hunk.oldCount) +
             " +" + std::to_string(hunk.newStart) + "," + std::to_string(hunk.newCount) + " @@ ";
    for (const DiffLine& line : hunk.lines) shape += line.sign;
    shape += "|";
  }
  return shape;
}

TEST(LineDiffTest, HunksCountsAndNumbers) {
  const std::string ten = "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n";
  for (const DiffCase& c : {
           DiffCase{"Same", ten, ten, 0, 0, ""},
           DiffCase{"Created", "", "a\nb\n", 2, 0, "@@ -0,0 +1,2 @@ ++|"},
           DiffCase{"Removed", "a\nb\n", "", 0, 2, "@@ -1,2 +0,0 @@ --|"},
           DiffCase{"MiddleLine", ten, "1\n2\n3\n4\nfive\n6\n7\n8\n9\n10\n", 1, 1,
                    "@@ -2,7 +2,7 @@    -+   |"},
           DiffCase{"FirstLineWithoutContextBefore", "a\nb\nc\n", "x\na\nb\nc\n", 1, 0,
                    "@@ -1,3 +1,4 @@ +   |"},
           DiffCase{"NoFinalLineFeed", "a\nb", "a\nb\n", 0, 0, ""},
       }) {
    SCOPED_TRACE(c.name);
    const LineDiff diff = DiffLines(c.before, c.after);
    EXPECT_EQ(diff.added, c.added);
    EXPECT_EQ(diff.removed, c.removed);
    EXPECT_EQ(Shape(diff), c.hunks);
  }
}

// A change too large for the shortest difference is shown removed and added whole.
TEST(LineDiffTest, HugeRewriteIsStillATrueDifference) {
  std::string before;
  std::string after;
  for (int i = 0; i < 20000; ++i) {
    before += "old " + std::to_string(i) + "\n";
    after += "new " + std::to_string(i) + "\n";
  }
  const std::string oldText = "same\n" + before + "end\n";
  const std::string newText = "same\n" + after + "end\n";
  const LineDiff diff = DiffLines(oldText, newText);
  EXPECT_EQ(diff.added, 20000);
  EXPECT_EQ(diff.removed, 20000);
  ASSERT_EQ(diff.hunks.size(), 1u);
  EXPECT_EQ(diff.hunks[0].lines.front().text, "same");
  EXPECT_EQ(diff.hunks[0].lines.back().newNumber, 20002);
}

}  // namespace
