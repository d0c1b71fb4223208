// The editor's permission rule on file names.
#include "editor/may_edit_file.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
  std::string name;
  bool allowed;
};

class MayEditFileTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(MayEditFileTest, DecidesByTheNameAsGiven) {
  EXPECT_EQ(MayEditFile(GetParam().name, "tvqconf.cgi"), GetParam().allowed) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MayEditFileTest,
    ::testing::Values(
        NameCase{"", false},
        NameCase{"help.htm", true},
        NameCase{"templates/rep.htm", true},
        NameCase{"./help.htm", true},
        NameCase{"..", false},
        NameCase{"..help.htm", false},
        NameCase{".htaccess", false},
        NameCase{"templates/.htpasswd", false},
        NameCase{"/usr/local/www/tovimarqdata/.htaccess", false},
        NameCase{".hidden/rep.htm", true},
        NameCase{"../x.htm", false},
        NameCase{"templates/../../x.htm", false},
        NameCase{"a/..", false},
        NameCase{"/usr/local/www/tovimarqdata/rep.htm", true},
        NameCase{"/tovimarqdata", true},
        NameCase{"/usr/local/www/tovimarqdata/../../etc/passwd", false},
        NameCase{"/etc/passwd", false},
        NameCase{"/etc/motd", false},
        NameCase{"/", false},
        NameCase{"/usr/local/www/TOVIMARQDATA/rep.htm", false},
        NameCase{" /etc/passwd", true},
        NameCase{"..\\x.htm", false},
        NameCase{std::string("help.htm\0.ini", 13), false},
        NameCase{std::string("\0", 1), false},
        NameCase{"help\r.htm", false},
        NameCase{"help.htm\n", false},
        NameCase{"/usr/tovimarqdata/a\nb", false}));

}  // namespace
