// The byte tests that keep values from splitting lines or cutting file names.
#include "fileio/line_safety.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LineSafetyTest, FindsEachOfTheThreeBytes) {
  struct Case {
    std::string text;
    bool lineBreak;
    bool lineBreakOrZero;
  };
  for (const Case& c : {Case{"plain name.ini", false, false}, Case{"a\nb", true, true},
                        Case{"a\r", true, true}, Case{std::string("a\0b", 3), false, true},
                        Case{"", false, false}}) {
    EXPECT_EQ(HoldsLineBreak(c.text), c.lineBreak) << c.text;
    EXPECT_EQ(HoldsLineBreakOrZero(c.text), c.lineBreakOrZero) << c.text;
  }
}

}  // namespace
