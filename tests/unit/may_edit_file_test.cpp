// The editor's permission rule on file names.
#include "editor/may_edit_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "support/temp_dir.h"

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
        NameCase{"..", true},
        NameCase{"..help.htm", true},
        NameCase{"../x.htm", false},
        NameCase{"templates/../../x.htm", false},
        NameCase{"a/..", true},
        NameCase{"/usr/local/www/tovimarqdata/rep.htm", true},
        NameCase{"/tovimarqdata", true},
        NameCase{"/usr/local/www/tovimarqdata/../../etc/passwd", false},
        NameCase{"/etc/passwd", false},
        NameCase{"/etc/motd", false},
        NameCase{"/", false},
        NameCase{"/usr/local/www/TOVIMARQDATA/rep.htm", false},
        NameCase{" /etc/passwd", true},
        NameCase{"..\\x.htm", true},
        NameCase{std::string("help.htm\0.ini", 13), false},
        NameCase{std::string("\0", 1), false},
        NameCase{"help\r.htm", false},
        NameCase{"help.htm\n", false},
        NameCase{"/usr/tovimarqdata/a\nb", false}));

// The utility's own files, inside a data folder that is the working directory.
class OwnFileTest : public ::testing::TestWithParam<NameCase> {
 protected:
  void SetUp() override {
    dir.MakeDir("tovimarqdata/sub");
    for (const char* name : {"tvqconf.dat", "tvqconf.cgi", "help.htm", "sub/tvqconf.dat"}) {
      dir.Write(std::string("tovimarqdata/") + name, name);
    }
    ASSERT_EQ(link(data("tvqconf.dat").c_str(), data("hard.htm").c_str()), 0);
    ASSERT_EQ(symlink("tvqconf.cgi", data("soft.htm").c_str()), 0);
    ASSERT_EQ(chdir(data("").c_str()), 0);
  }
  void TearDown() override { EXPECT_EQ(fchdir(saved), 0); close(saved); }

  std::string data(const std::string& name) const { return dir.Path("tovimarqdata/" + name); }

  TempDir dir;
  int saved = open(".", O_RDONLY);
};

TEST_P(OwnFileTest, AreRefusedHoweverNamed) {
  std::string name = GetParam().name;
  if (name.rfind("@", 0) == 0) name = data(name.substr(1));
  EXPECT_EQ(MayEditFile(name, "tvqconf.cgi"), GetParam().allowed) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OwnFileTest,
    ::testing::Values(NameCase{"tvqconf.dat", false}, NameCase{"./tvqconf.dat", false},
                      NameCase{"@tvqconf.dat", false},
                      NameCase{"hard.htm", false}, NameCase{"soft.htm", false},
                      NameCase{"tvqconf.cgi", false}, NameCase{".//tvqconf.cgi", false},
                      NameCase{"tvqconf.lock", false}, NameCase{"@sub/tvqconf.lock", false},
                      NameCase{"new/tvqconf.cgi", false}, NameCase{"sub/tvqconf.dat", true},
                      NameCase{"@help.htm", true}, NameCase{"tvqconf.dat.htm", true},
                      NameCase{"new.htm", true}));

}  // namespace
