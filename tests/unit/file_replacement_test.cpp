// Writing through TextFile replaces files safely: whole new content or the old one, never a mix.
#include <dirent.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <set>

#include "fileio/text_file.h"
#include "support/temp_dir.h"

namespace {

std::set<std::string> EntriesOf(const std::string& directory) {
  std::set<std::string> names;
  DIR* listing = opendir(directory.c_str());
  while (const dirent* entry = listing != nullptr ? readdir(listing) : nullptr) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.insert(name);
  }
  if (listing != nullptr) closedir(listing);
  return names;
}

mode_t PermissionsOf(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// Writes `lines` to `path` and returns the error code taken after Close.
int WriteFile(const std::string& path, const std::vector<std::string>& lines) {
  TakeFileError();
  TextFile file;
  file.SetPath(path);
  file.OpenWrite();
  if (const int error = TakeFileError()) return error;
  for (const std::string& line : lines) file.WriteLine(line);
  file.Close();
  return TakeFileError();
}

// Runs `body` in a child process as nobody:nogroup (root passes every access
// check) and returns its exit status, or -1.
int RunUnprivileged(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0) {
      const passwd* nobody = getpwnam("nobody");
      const group* nogroup = getgrnam("nogroup");
      if (nobody == nullptr || nogroup == nullptr || setgroups(0, nullptr) != 0 ||
          setgid(nogroup->gr_gid) != 0 || setuid(nobody->pw_uid) != 0) {
        _exit(255);
      }
    }
    _exit(body());
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Limits the size of files this process writes; writes beyond it fail with EFBIG.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    savedHandler_ = signal(SIGXFSZ, SIG_IGN);
    const rlimit limited{bytes, saved_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, savedHandler_);
  }

 private:
  rlimit saved_{};
  void (*savedHandler_)(int) = nullptr;
};

class FileReplacementTest : public ::testing::Test {
 protected:
  void SetUp() override { TakeFileError(); }
  TempDir dir;
};

TEST_F(FileReplacementTest, NewContentReplacesOldAndNothingIsLeftBeside) {
  dir.Write("conf.ini", "OLD=1\nMORE=2\n");
  EXPECT_EQ(WriteFile(dir.Path("conf.ini"), {"NEW=1"}), 0);
  EXPECT_EQ(dir.Read("conf.ini"), "NEW=1\n");
  EXPECT_EQ(EntriesOf(dir.path()), std::set<std::string>{"conf.ini"});
}

TEST_F(FileReplacementTest, PermissionBitsAreKept) {
  dir.Write("conf.ini", "OLD\n");
  chmod(dir.Path("conf.ini").c_str(), 0640);
  EXPECT_EQ(WriteFile(dir.Path("conf.ini"), {"NEW"}), 0);
  EXPECT_EQ(PermissionsOf(dir.Path("conf.ini")), 0640u);
}

TEST_F(FileReplacementTest, NewFileGetsTheUsualModeLessTheUmask) {
  for (const mode_t mask : {022, 077, 002}) {
    const mode_t saved = umask(mask);
    const std::string name = "new" + std::to_string(mask);
    EXPECT_EQ(WriteFile(dir.Path(name), {"x"}), 0);
    umask(saved);
    EXPECT_EQ(PermissionsOf(dir.Path(name)), 0666u & ~mask);
  }
}

struct LinkCase {
  const char* name;
  const char* linkPath;
  const char* linkTarget;  // as stored in the link
  const char* reached;     // the file that receives the content
};

void PrintTo(const LinkCase& c, std::ostream* out) { *out << c.name; }

class LinkTest : public FileReplacementTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(LinkTest, WritesThroughTheLinkWhichStays) {
  dir.MakeDir("sub");
  dir.Write("real.ini", "OLD\n");
  dir.Write("sub/real.ini", "OLD\n");
  ASSERT_EQ(symlink("real.ini", dir.Path("sub/link2.ini").c_str()), 0);
  ASSERT_EQ(symlink(GetParam().linkTarget, dir.Path(GetParam().linkPath).c_str()), 0);
  const std::size_t created = dir.Exists(GetParam().reached) ? 0 : 1;
  const std::size_t entries = EntriesOf(dir.path()).size() + EntriesOf(dir.Path("sub")).size();
  EXPECT_EQ(WriteFile(dir.Path(GetParam().linkPath), {"NEW"}), 0);
  struct stat status;
  ASSERT_EQ(lstat(dir.Path(GetParam().linkPath).c_str(), &status), 0);
  EXPECT_TRUE(S_ISLNK(status.st_mode));
  EXPECT_EQ(dir.Read(GetParam().reached), "NEW\n");
  EXPECT_EQ(EntriesOf(dir.path()).size() + EntriesOf(dir.Path("sub")).size(), entries + created);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkTest,
    ::testing::Values(LinkCase{"Relative", "link.ini", "real.ini", "real.ini"},
                      LinkCase{"IntoSubfolder", "link.ini", "sub/real.ini", "sub/real.ini"},
                      LinkCase{"FromSubfolder", "sub/link.ini", "../real.ini", "real.ini"},
                      LinkCase{"Chain", "link.ini", "sub/link2.ini", "sub/real.ini"},
                      LinkCase{"Dangling", "link.ini", "created.ini", "created.ini"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileReplacementTest, FailedWriteKeepsTheOldContent) {
  dir.Write("conf.ini", "OLD\n");
  const std::string big(10000, 'b');
  int writeError = 0;
  {
    FileSizeLimit limit(100);
    TextFile file;
    file.SetPath(dir.Path("conf.ini"));
    file.OpenWrite();
    ASSERT_EQ(TakeFileError(), 0);
    file.WriteLine(big);
    writeError = TakeFileError();
    file.WriteLine("tail");
    file.Close();
  }
  EXPECT_EQ(writeError, 1);
  EXPECT_EQ(TakeFileError(), 1);
  EXPECT_EQ(dir.Read("conf.ini"), "OLD\n");
  EXPECT_EQ(EntriesOf(dir.path()), std::set<std::string>{"conf.ini"});
}

TEST_F(FileReplacementTest, FailureSeenOnlyAtCloseKeepsTheOldContent) {
  dir.Write("conf.ini", "OLD\n");
  int closeError = 0;
  {
    FileSizeLimit limit(0);
    closeError = WriteFile(dir.Path("conf.ini"), {"NEW"});
  }
  EXPECT_NE(closeError, 0);
  EXPECT_EQ(dir.Read("conf.ini"), "OLD\n");
  EXPECT_EQ(EntriesOf(dir.path()), std::set<std::string>{"conf.ini"});
}

TEST_F(FileReplacementTest, DestroyedWhileOpenLeavesTheTargetAsItWas) {
  dir.Write("conf.ini", "OLD\n");
  {
    TextFile file;
    file.SetPath(dir.Path("conf.ini"));
    file.OpenWrite();
    file.WriteLine("NEW");
  }
  EXPECT_EQ(TakeFileError(), 0);
  EXPECT_EQ(dir.Read("conf.ini"), "OLD\n");
  EXPECT_EQ(EntriesOf(dir.path()), std::set<std::string>{"conf.ini"});
}

TEST_F(FileReplacementTest, SetPathPutsTheNewContentInPlace) {
  TextFile file;
  file.SetPath(dir.Path("a"));
  file.OpenWrite();
  file.WriteLine("A");
  file.SetPath(dir.Path("b"));
  EXPECT_EQ(TakeFileError(), 0);
  EXPECT_EQ(dir.Read("a"), "A\n");
  EXPECT_EQ(EntriesOf(dir.path()), std::set<std::string>{"a"});
}

TEST_F(FileReplacementTest, FolderIsNotReplaced) {
  dir.MakeDir("folder");
  EXPECT_EQ(WriteFile(dir.Path("folder"), {"x"}), 100 + EISDIR);
  EXPECT_TRUE(IsDirectory(dir.Path("folder")));
}

TEST_F(FileReplacementTest, MissingFolderGivesMissingError) {
  EXPECT_EQ(WriteFile(dir.Path("nowhere/conf.ini"), {"x"}), 100 + ENOENT);
}

TEST_F(FileReplacementTest, ReadOnlyTargetIsRefusedWhenUnprivileged) {
  dir.Write("conf.ini", "OLD\n");
  chmod(dir.Path("conf.ini").c_str(), 0444);
  const std::string path = dir.Path("conf.ini");
  EXPECT_EQ(RunUnprivileged([&] { return WriteFile(path, {"NEW"}); }), 100 + EACCES);
  EXPECT_EQ(dir.Read("conf.ini"), "OLD\n");
  EXPECT_EQ(EntriesOf(dir.path()), std::set<std::string>{"conf.ini"});
}

TEST_F(FileReplacementTest, WritableTargetInLockedFolderIsRefused) {
  dir.MakeDir("locked");
  dir.Write("locked/conf.ini", "OLD CONTENT\n");
  chmod(dir.Path("locked/conf.ini").c_str(), 0666);
  chmod(dir.Path("locked").c_str(), 0555);
  const std::string path = dir.Path("locked/conf.ini");
  EXPECT_EQ(RunUnprivileged([&] { return WriteFile(path, {"NEW"}); }), 100 + EACCES);
  EXPECT_EQ(dir.Read("locked/conf.ini"), "OLD CONTENT\n");
  EXPECT_EQ(EntriesOf(dir.Path("locked")), std::set<std::string>{"conf.ini"});
}

TEST_F(FileReplacementTest, NewFileInLockedFolderIsRefused) {
  dir.MakeDir("locked");
  chmod(dir.Path("locked").c_str(), 0555);
  const std::string path = dir.Path("locked/conf.ini");
  EXPECT_EQ(RunUnprivileged([&] { return WriteFile(path, {"NEW"}); }), 100 + EACCES);
  EXPECT_FALSE(dir.Exists("locked/conf.ini"));
}

TEST_F(FileReplacementTest, UnprivilegedReplacementKeepsPermissions) {
  dir.Write("conf.ini", "OLD\n");
  chmod(dir.Path("conf.ini").c_str(), 0646);
  const std::string path = dir.Path("conf.ini");
  EXPECT_EQ(RunUnprivileged([&] { return WriteFile(path, {"NEW"}); }), 0);
  EXPECT_EQ(dir.Read("conf.ini"), "NEW\n");
  EXPECT_EQ(PermissionsOf(path), 0646u);
}

// Who owns the file, which group it has and whether a second name links it.
struct KeepCase {
  const char* name;
  bool rootOwner;
  bool rootGroup;
  bool secondLink;
  bool inPlace;
};

class KeepTest : public FileReplacementTest, public ::testing::WithParamInterface<KeepCase> {};

// Written as nobody:nogroup in a folder whose new files get a group nobody is not in.
constexpr gid_t kFolderGroup = 4242;

TEST_P(KeepTest, GroupAndLinksAreKept) {
  const passwd* nobody = getpwnam("nobody");
  const group* nogroup = getgrnam("nogroup");
  if (geteuid() != 0 || nobody == nullptr || nogroup == nullptr) GTEST_SKIP();
  const std::string path = dir.Path("conf.ini");
  ASSERT_EQ(chown(dir.path().c_str(), 0, kFolderGroup), 0);
  ASSERT_EQ(chmod(dir.path().c_str(), 02777), 0);
  dir.Write("conf.ini", "OLD\n");
  ASSERT_EQ(chown(path.c_str(), GetParam().rootOwner ? 0 : nobody->pw_uid,
                  GetParam().rootGroup ? 0 : nogroup->gr_gid), 0);
  ASSERT_EQ(chmod(path.c_str(), 0666), 0);
  ASSERT_TRUE(!GetParam().secondLink || link(path.c_str(), dir.Path("other").c_str()) == 0);
  struct stat old;
  ASSERT_EQ(stat(path.c_str(), &old), 0);
  EXPECT_EQ(RunUnprivileged([&] { return WriteFile(path, {"NEW"}); }), 0);
  struct stat now;
  ASSERT_EQ(stat(path.c_str(), &now), 0);
  EXPECT_EQ(now.st_ino == old.st_ino, GetParam().inPlace);
  EXPECT_EQ(now.st_uid, GetParam().inPlace ? old.st_uid : nobody->pw_uid);
  EXPECT_EQ(now.st_gid, old.st_gid);
  EXPECT_EQ(now.st_mode, old.st_mode);
  EXPECT_EQ(dir.Read("conf.ini"), "NEW\n");
  EXPECT_EQ(EntriesOf(dir.path()).size(), GetParam().secondLink ? 2u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeepTest,
    ::testing::Values(KeepCase{"OwnFileIsReplaced", false, false, false, false},
                      KeepCase{"OthersFileOfOwnGroupIsReplaced", true, false, false, false},
                      KeepCase{"OthersFileOfOtherGroupIsWrittenInPlace", true, true, false, true},
                      KeepCase{"OwnFileOfOtherGroupIsWrittenInPlace", false, true, false, true},
                      KeepCase{"LinkedFileIsWrittenInPlace", false, false, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

// Written in place, the file stays the one that both names link, and whole:
// the old content or the new one, never a part.
TEST_F(FileReplacementTest, FailureSeenOnlyAtCloseOfAnInPlaceWriteIsReported) {
  dir.Write("conf.ini", "OLD\n");
  ASSERT_EQ(link(dir.Path("conf.ini").c_str(), dir.Path("other").c_str()), 0);
  struct stat old;
  ASSERT_EQ(stat(dir.Path("conf.ini").c_str(), &old), 0);
  FileSizeLimit limit(0);
  EXPECT_NE(WriteFile(dir.Path("conf.ini"), {"NEW"}), 0);
  const std::string content = dir.Read("other");
  EXPECT_TRUE(content == "OLD\n" || content == "NEW\n") << content;
  struct stat now;
  ASSERT_EQ(stat(dir.Path("conf.ini").c_str(), &now), 0);
  EXPECT_EQ(now.st_ino, old.st_ino);
  EXPECT_EQ(EntriesOf(dir.path()), (std::set<std::string>{"conf.ini", "other"}));
}

}  // namespace
