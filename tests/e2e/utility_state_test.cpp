// The state file "tvqconf.dat": which names load, which one is selected, what is saved.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "e2e/config_state_fixture.h"

namespace {

struct ConfigFile {
  std::string name;
  mode_t mode;
};

struct LoadCase {
  std::string label;
  bool stateFilePresent;
  std::string stateFile;
  std::vector<ConfigFile> files;
  bool unprivileged;
  std::vector<std::string> expected;  // the loaded list; its first entry is selected
};

std::ostream& operator<<(std::ostream& out, const LoadCase& c) { return out << c.label; }

class LoadStateTest : public ConfigStateTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadStateTest, KeepsReadableWritableNamesInOrder) {
  const LoadCase& c = GetParam();
  if (c.stateFilePresent) WriteFile("tvqconf.dat", c.stateFile, 0644);
  for (const ConfigFile& file : c.files) WriteFile(file.name, "LANGUAGE=english\n", file.mode);
  EXPECT_EQ(Listed(c.unprivileged), c.expected);
  EXPECT_EQ(Current(c.unprivileged), c.expected.front());
}

const std::vector<ConfigFile> kBothFiles = {{"a.ini", 0666}, {"b.ini", 0666}};
const std::vector<std::string> kDefault = {"tovimarq.ini"};

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadStateTest,
    ::testing::Values(
        LoadCase{"BothPresent", true, "b.ini\na.ini\n", kBothFiles, false, {"b.ini", "a.ini"}},
        LoadCase{"MissingFileDropped", true, "b.ini\na.ini\n", {{"a.ini", 0666}}, false, {"a.ini"}},
        LoadCase{"BlanksAndCrLf", true, "  b.ini \r\n\ta.ini\t\r\n", kBothFiles, false,
                 {"b.ini", "a.ini"}},
        LoadCase{"BlankLinesSkipped", true, "\n   \n\r\nb.ini\n\n", kBothFiles, false, {"b.ini"}},
        LoadCase{"LastLineWithoutLineFeed", true, "a.ini\nb.ini", kBothFiles, false,
                 {"a.ini", "b.ini"}},
        LoadCase{"DuplicatesKept", true, "a.ini\nb.ini\na.ini\n", kBothFiles, false,
                 {"a.ini", "b.ini", "a.ini"}},
        LoadCase{"ZeroByteNameDropped", true, std::string("a.ini\0x\nb.ini\n", 14), kBothFiles,
                 false, {"b.ini"}},
        LoadCase{"EmptyStateFile", true, "", kBothFiles, false, kDefault},
        LoadCase{"NoStateFile", false, "", kBothFiles, false, kDefault},
        LoadCase{"EveryNameDropped", true, "x.ini\n\n", kBothFiles, false, kDefault},
        LoadCase{"ReadOnlyAndWriteOnlyDropped", true, "ro.ini\nwo.ini\nrw.ini\n",
                 {{"ro.ini", 0644}, {"wo.ini", 0622}, {"rw.ini", 0666}}, true, {"rw.ini"}},
        LoadCase{"NoUsableFileUnprivileged", true, "ro.ini\n", {{"ro.ini", 0644}}, true,
                 kDefault}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return info.param.label; });

TEST_F(ConfigStateTest, UnreadableStateFileCountsAsEmpty) {
  WriteFile("a.ini", "", 0666);
  WriteFile("tvqconf.dat", "a.ini\n", 0600);
  EXPECT_EQ(Listed(true), std::vector<std::string>{"tovimarq.ini"});
  EXPECT_EQ(Listed(false), std::vector<std::string>{"a.ini"});
}

TEST_F(ConfigStateTest, AbsoluteNamesAreKept) {
  dir.MakeDir("elsewhere");
  WriteFile("elsewhere/c.ini", "", 0666);
  WriteFile("tvqconf.dat", dir.Path("elsewhere/c.ini") + "\n", 0644);
  EXPECT_EQ(Listed(), std::vector<std::string>{dir.Path("elsewhere/c.ini")});
}

TEST_F(ConfigStateTest, SaveWritesOnlyTheNamesThatLoaded) {
  WriteFile("a.ini", "", 0666);
  WriteFile("c.ini", "", 0666);
  WriteFile("tvqconf.dat", " b.ini\r\na.ini\r\n\r\nc.ini", 0644);
  Request("act=selini&ini=1");
  EXPECT_EQ(dir.Read("tvqconf.dat"), "c.ini\na.ini\n");
}

TEST_F(ConfigStateTest, UnprivilegedSaveReplacesTheStateFile) {
  WriteFile("a.ini", "", 0666);
  WriteFile("b.ini", "", 0666);
  WriteFile("tvqconf.dat", "a.ini\nb.ini\n", 0666);
  Request("act=selini&ini=1", true);
  EXPECT_EQ(dir.Read("tvqconf.dat"), "b.ini\na.ini\n");
}

}  // namespace
