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
