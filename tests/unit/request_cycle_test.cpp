// Path helpers of the request start-up.
#include "app/request_cycle.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
  std::string path;
  std::string fileName;
};

class FileNameOfTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(FileNameOfTest, TakesThePartAfterTheLastSeparator) {
  EXPECT_EQ(FileNameOf(GetParam().path), GetParam().fileName);
}

INSTANTIATE_TEST_SUITE_P(Cases, FileNameOfTest,
                         ::testing::Values(PathCase{"/www/cgi-bin/cfg.cgi", "cfg.cgi"},
                                           PathCase{"cfg.cgi", "cfg.cgi"},
                                           PathCase{"C:cfg.cgi", "cfg.cgi"},
                                           PathCase{"a\\b\\cfg.cgi", "cfg.cgi"},
                                           PathCase{"/www/", ""}, PathCase{"", ""}));

TEST(LastSeparatorIndexTest, FindsTheLastOfAnySeparator) {
  EXPECT_EQ(LastSeparatorIndex("a/b\\c", "/\\"), 3);
  EXPECT_EQ(LastSeparatorIndex("a/b\\c", "/"), 1);
  EXPECT_EQ(LastSeparatorIndex("abc", "/\\:"), -1);
}

}  // namespace
