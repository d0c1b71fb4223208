// The markup and alert escapers.
#include "html/escape.h"

#include <gtest/gtest.h>

namespace {

struct EscapeCase {
  std::string input;
  std::string expected;
};

class MarkupEscapeTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(MarkupEscapeTest, EscapesTheFourMarkupBytes) {
  EXPECT_EQ(EscapeMarkup(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MarkupEscapeTest,
    ::testing::Values(EscapeCase{"", ""}, EscapeCase{"plain.ini", "plain.ini"},
                      EscapeCase{"a&b", "a&amp;b"},
                      EscapeCase{"<script>", "&lt;script&gt;"},
                      EscapeCase{"say \"hi\"", "say &quot;hi&quot;"},
                      EscapeCase{"it's", "it's"},
                      EscapeCase{"&amp;", "&amp;amp;"},
                      EscapeCase{std::string("a\0b\xE9", 4), std::string("a\0b\xE9", 4)}));

// What the escaper must make of each byte, one byte at a time.
std::string EscapedByte(char byte) {
  switch (byte) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    default: return std::string(1, byte);
  }
}

// Values are escaped a word of eight bytes at a time: every byte value, at
// every place in and across words, between plain bytes and between escaped ones.
TEST(MarkupEscapeTest, EveryByteAtEveryPlaceOfTheWords) {
  for (const char background : {'x', '&', '\0', '\xFF'}) {
    for (int byte = 0; byte < 256; ++byte) {
      for (std::size_t at = 0; at < 19; ++at) {
        std::string text(19, background);
        text[at] = static_cast<char>(byte);
        std::string expected;
        for (const char c : text) expected += EscapedByte(c);
        ASSERT_EQ(EscapeMarkup(text), expected) << "byte " << byte << " at " << at;
      }
    }
  }
}

class AlertEscapeTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(AlertEscapeTest, KeepsTheStringInsideItsQuotes) {
  EXPECT_EQ(EscapeAlert(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AlertEscapeTest,
    ::testing::Values(EscapeCase{"", ""}, EscapeCase{"it's", "it\"s"},
                      EscapeCase{"a\\b\\c", "a\\\\b\\\\c"},
                      EscapeCase{"</script>", "\\x3C/script>"},
                      EscapeCase{"one\ntwo\r", "one\\ntwo\\r"},
                      EscapeCase{std::string("\0\x1b\x1f ", 4), "\\x00\\x1B\\x1F "},
                      EscapeCase{"caf\xE9 & \"x\"", "caf\xE9 & \"x\""}));

}  // namespace
