// Line break hints in the paths and addresses of the file list table.
#include <gtest/gtest.h>

#include <sstream>

#include "filelist/file_list_page.h"

namespace {

std::string WithHints(const std::string& text) {
  std::ostringstream stream;
  PageWriter out(stream);
  InsertBreakHints(out, text);
  return stream.str();
}

struct HintCase {
  std::string text;
  std::string expected;
};

class BreakHintsTest : public ::testing::TestWithParam<HintCase> {};

TEST_P(BreakHintsTest, HintFollowsSeparators) {
  EXPECT_EQ(WithHints(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BreakHintsTest,
    ::testing::Values(HintCase{"", ""}, HintCase{"/", "/"}, HintCase{"ab/", "ab/"},
                      HintCase{"/a", "/<wbr>a"}, HintCase{"c:\\d", "c:\\<wbr>d"},
                      HintCase{"a/b/c", "a/<wbr>b/c"},
                      HintCase{"a&b/<c>", "a&amp;b/<wbr>&lt;c&gt;"},
                      // The next hint may come 25 bytes after a separator, not sooner.
                      HintCase{"/" + std::string(23, 'x') + "/y/z",
                               "/<wbr>" + std::string(23, 'x') + "/y/<wbr>z"}));

TEST(BreakHintsSpacingTest, AtMostOneHintInThirtyPositions) {
  std::string path;
  for (int i = 0; i < 20; ++i) path += "/ab";
  const std::string result = WithHints(path);
  std::string expected;
  for (int i = 0; i < 20; ++i) expected += (i % 9 == 0 ? "/<wbr>ab" : "/ab");
  EXPECT_EQ(result, expected);
  for (std::size_t at = result.find("<wbr>"), next; at != std::string::npos; at = next) {
    next = result.find("<wbr>", at + 1);
    if (next != std::string::npos) {
      EXPECT_GE(next - at, 30u);
    }
  }
}

}  // namespace
