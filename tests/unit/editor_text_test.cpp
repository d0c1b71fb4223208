// Reading a file for the editor, and its text area: the binary bytes and the line-end rule.
#include "editor/editor_text.h"

#include <gtest/gtest.h>

#include <sstream>

#include "fileio/text_file.h"
#include "html/page_writer.h"
#include "support/temp_dir.h"

namespace {

struct TextArea {
  std::string markup;
  bool binary;
};

TextArea WrittenTextArea(const std::string& bytes) {
  std::ostringstream page;
  const bool binary = PageWriter(page).WriteTextArea(bytes);
  return {page.str(), binary};
}

std::string DropLfAfterCr(const std::string& bytes) { return WrittenTextArea(bytes).markup; }

bool HoldsBinaryBytes(const std::string& bytes) { return WrittenTextArea(bytes).binary; }

struct BytesCase {
  std::string input;
  std::string expected;
};

class DropLfAfterCrTest : public ::testing::TestWithParam<BytesCase> {};

TEST_P(DropLfAfterCrTest, KeepsTheCrOfEachPair) {
  EXPECT_EQ(DropLfAfterCr(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DropLfAfterCrTest,
    ::testing::Values(BytesCase{"", ""}, BytesCase{"a\r\nb", "a\rb"},
                      BytesCase{"a\nb\rc", "a\nb\rc"}, BytesCase{"\r\n", "\r"},
                      BytesCase{"\n\r", "\n\r"}, BytesCase{"\r\r\n\n", "\r\r\n"},
                      BytesCase{"a\r\n\r\nb\r\n", "a\r\rb\r"},
                      BytesCase{std::string("\0\r\n\xFF", 4), std::string("\0\r\xFF", 3)}));

TEST(EditorTextAreaTest, SixBytesComeOutAsTheBrowserNeedsThem) {
  EXPECT_EQ(DropLfAfterCr("a\r\nb<&"), "a\rb&lt;&amp;");
}

TEST(BinaryBytesTest, ExactlyTheControlBytesOtherThanTabLfCr) {
  int binaryCount = 0;
  for (int byte = 0; byte < 256; ++byte) {
    const bool binary = HoldsBinaryBytes(std::string(1, static_cast<char>(byte)));
    const bool expected = byte < 0x20 && byte != 0x09 && byte != 0x0A && byte != 0x0D;
    EXPECT_EQ(binary, expected) << "byte " << byte;
    if (binary) ++binaryCount;
  }
  EXPECT_EQ(binaryCount, 29);
}

TEST(BinaryBytesTest, OneBinaryByteAnywhereCounts) {
  EXPECT_FALSE(HoldsBinaryBytes("plain\ttext\r\ncaf\xE9\x7F\xFF"));
  EXPECT_TRUE(HoldsBinaryBytes("plain text\x1B"));
  EXPECT_TRUE(HoldsBinaryBytes(std::string("\0plain", 6)));
}

TEST(LoadEditorTextTest, MissingFileGivesAnEmptyTextAndLeavesNoError) {
  TempDir dir;
  const EditorText loaded = LoadEditorText(dir.Path("missing.htm"));
  EXPECT_EQ(loaded.outcome, EditorLoad::kShown);
  EXPECT_EQ(loaded.text, "");
  EXPECT_EQ(TakeFileError(), 0);
}

}  // namespace
