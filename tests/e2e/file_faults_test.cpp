// Faults met while saving: the folder stays as it was and the whole page says what failed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <vector>

#include "support/cgi_test.h"

namespace {

// A save as its page posts it, and the file that it replaces.
struct SavePost {
  std::string body;
  std::string file;
};

const SavePost kForm{"target=testform&act=saveform", "searchform.htm"};
const SavePost kDoc{"target=editor&act=save&file=doc.htm&text=" + std::string(9000, 't'),
                    "doc.htm"};

// Every entry of `folder` with its kind and, for a regular file, its content.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
  std::map<std::string, std::string> entries;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const auto kind = entry.symlink_status().type();
    entries[entry.path().filename()] = std::to_string(static_cast<int>(kind)) +
        (kind == std::filesystem::file_type::regular ? ReadWholeFile(entry.path()) : "");
  }
  return entries;
}

struct SaveFault {
  const char* name;
  std::function<void(const TempDir&)> arrange;
  SavePost post;
  std::string message;
  std::optional<rlim_t> fileSizeLimit = std::nullopt;
  bool unprivileged = false;
};

class SaveFaultTest : public CgiTest, public ::testing::WithParamInterface<SaveFault> {};

TEST_P(SaveFaultTest, ChangesNothingAndSaysSo) {
  dir.Write("tvqconf.lock", "");  // as every request leaves it
  GetParam().arrange(dir);
  const auto before = Snapshot(dir.path());
  CgiRequest request;
  // With the version of the file as arranged, as the page showing it would carry.
  request.body = GetParam().post.body + "&" + VersionField(GetParam().post.file);
  request.fileSizeLimit = GetParam().fileSizeLimit;
  request.unprivileged = GetParam().unprivileged;
  const std::string page = Run(request).Body();
  EXPECT_NE(page.find(" alert('" + GetParam().message + "');\n"), std::string::npos);
  EXPECT_EQ(page.substr(page.size() - 7), "</html>");
  EXPECT_EQ(Snapshot(dir.path()), before);
}

std::string Failed(const std::string& file, const std::string& reason) {
  return "Error writing file " + file + ": " + reason + ". The file was not changed.";
}

void MakeFifo(const TempDir& dir, const char* name) {
  ASSERT_EQ(mkfifo(dir.Path(name).c_str(), 0666), 0);
}
void Link(const TempDir& dir, const char* to, const char* name) {
  ASSERT_EQ(symlink(to, dir.Path(name).c_str()), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveFaultTest,
    ::testing::Values(
        SaveFault{"Folder", [](const TempDir& d) { d.MakeDir("searchform.htm"); }, kForm,
                  Failed("searchform.htm", "Is a directory")},
        // The editor page drawn after the save reads the pipe, as every request its state file.
        SaveFault{"Fifo",
                  [](const TempDir& d) { MakeFifo(d, "doc.htm"); MakeFifo(d, "tvqconf.dat"); },
                  kDoc, Failed("doc.htm", "No such device or address")},
        SaveFault{"LinkToDevice", [](const TempDir& d) { Link(d, "/dev/zero", "searchform.htm"); },
                  kForm, Failed("searchform.htm", "No such device or address")},
        SaveFault{"DanglingLinkIntoMissingFolder",
                  [](const TempDir& d) { Link(d, "gone/doc.htm", "doc.htm"); }, kDoc,
                  Failed("doc.htm", "No such file or directory")},
        SaveFault{"PastFileSizeLimit", [](const TempDir& d) { d.Write("searchform.htm", "old"); },
                  kForm, Failed("searchform.htm", "File too large"), 100},
        // A file with another name is written in place, yet only once the new content is whole.
        SaveFault{"HardLinkedPastFileSizeLimit",
                  [](const TempDir& d) {
                    d.Write("doc.htm", "old");
                    ASSERT_EQ(link(d.Path("doc.htm").c_str(), d.Path("doc-link.htm").c_str()), 0);
                  },
                  kDoc, Failed("doc.htm", "File too large"), 2000},
        SaveFault{"ReadOnlyFolder",
                  [](const TempDir& d) {
                    d.Write("doc.htm", "old");
                    ASSERT_EQ(chmod(d.Path("doc.htm").c_str(), 0666), 0);
                    ASSERT_EQ(chmod(d.path().c_str(), 0555), 0);
                  },
                  kDoc, Failed("doc.htm", "Permission denied"), std::nullopt, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A request killed while writing leaves its new file behind; the next action
// removes it once it is an hour old, and nothing else: names of another form,
// files of another account, files with another name too.
TEST_F(CgiTest, OldNewFilesOfKilledWritesAreRemoved) {
  const passwd* nobody = getpwnam("nobody");
  if (geteuid() != 0 || nobody == nullptr) GTEST_SKIP() << "needs root to give a file away";
  dir.Write("tovimarq.ini", "QUOTES=40\n");
  struct Leftover { std::string name; std::time_t age; bool removed; };
  const std::vector<Leftover> leftovers{{".tovimarq.ini.tvqnew-a1B2c3", 7200, true},
                                        {".tovimarq.ini.tvqnew-Zz9876", 60, false},
                                        {".notes.tvqnew-12345", 7200, false},
                                        {".notes.txt.tvqnew-abc123", 7200, false},
                                        {".list.txt.tvqnew-Q1w2E3", 7200, false}};
  for (const Leftover& leftover : leftovers) {
    dir.Write(leftover.name, "QUO");
    const timespec times[2] = {{0, UTIME_OMIT}, {std::time(nullptr) - leftover.age, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, dir.Path(leftover.name).c_str(), times, 0), 0);
  }
  // A user's own file that happens to have the form of the name, and one linked elsewhere.
  ASSERT_EQ(chown(dir.Path(".notes.txt.tvqnew-abc123").c_str(), nobody->pw_uid, -1), 0);
  ASSERT_EQ(link(dir.Path(".list.txt.tvqnew-Q1w2E3").c_str(), dir.Path("keep.txt").c_str()), 0);
  Post(kForm.body + "&" + VersionField(kForm.file));
  for (const Leftover& leftover : leftovers) {
    EXPECT_EQ(dir.Exists(leftover.name), !leftover.removed) << leftover.name;
  }
  EXPECT_EQ(dir.Read("tovimarq.ini"), "QUOTES=40\n");
}

}  // namespace
