// The lock that changes take turns on, against other local accounts: none can hold it open or bend it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "support/cgi_test.h"

namespace {

const char kLock[] = "tvqconf.lock";
const char kBusy[] =
    " alert('Another change is in progress; nothing was changed. Try again in a moment.');\n";
const char kNotRegular[] =
    " alert('The lock file tvqconf.lock is not a regular file; nothing was changed.');\n";
const std::string kChange = "target=editor&act=save&file=doc.htm&text=typed%3Ctext";

struct LockCase {
  const char* name;
  // Lays out the lock file; returns a descriptor to keep open during the requests, or -1.
  std::function<int(const TempDir&)> arrange;
  const char* message;  // the change's alert, or nullptr when the change is made
  mode_t modeAfter;     // the lock file's permission bits afterwards; 0: not a file of ours
};

void PrintTo(const LockCase& c, std::ostream* out) { *out << c.name; }

class LockTest : public CgiTest, public ::testing::WithParamInterface<LockCase> {
 protected:
  // Runs the program as nobody, as a web server would.
  std::string Request(const std::string& fields, bool post) {
    CgiRequest request;
    (post ? request.body : request.query) = fields;
    request.unprivileged = true;
    return Run(request).Body();
  }
};

// Whether a local account other than the program's can open the lock file at
// all, and so hold it.
bool OthersCanOpen(const std::string& path) {
  constexpr uid_t kAnotherAccount = 4242;
  const pid_t child = fork();
  if (child == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(kAnotherAccount) != 0 ||
        setuid(kAnotherAccount) != 0) {
      _exit(2);
    }
    _exit(open(path.c_str(), O_RDONLY | O_NOFOLLOW) >= 0 ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_P(LockTest, PageViewsNeverWaitAndChangesAreSafe) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as two accounts";
  const int held = GetParam().arrange(dir);
  const std::string page = Request("target=main", false);
  EXPECT_EQ(page.find(" alert("), std::string::npos);
  EXPECT_EQ(page.substr(page.size() - 7), "</html>");
  const std::string changed = Request(kChange + "&" + VersionField("doc.htm"), true);
  if (held >= 0) close(held);
  const char* message = GetParam().message;
  EXPECT_EQ(dir.Exists("doc.htm"), message == nullptr);
  if (message != nullptr) {
    EXPECT_NE(changed.find(message), std::string::npos);
    // What the administrator typed stays on the page.
    EXPECT_NE(changed.find("typed&lt;text</textarea>"), std::string::npos);
  }
  // Nothing the lock's name leads to is created or changed.
  EXPECT_FALSE(dir.Exists("made-by-lock"));
  struct stat victim;
  EXPECT_TRUE(stat(dir.Path("victim").c_str(), &victim) != 0 ||
              ((victim.st_mode & 07777) == 0644 && dir.Read("victim") == "kept"));
  struct stat status;
  ASSERT_EQ(lstat(dir.Path(kLock).c_str(), &status), 0);
  if (GetParam().modeAfter != 0) {
    EXPECT_EQ(status.st_mode & 07777, GetParam().modeAfter);
    EXPECT_EQ(OthersCanOpen(dir.Path(kLock)), (GetParam().modeAfter & 0044) != 0);
  }
}

// A lock file made by the program's account (nobody) with the given mode.
int OwnLock(const TempDir& dir, mode_t mode) {
  dir.Write(kLock, "");
  const passwd* nobody = getpwnam("nobody");
  if (nobody == nullptr || chown(dir.Path(kLock).c_str(), nobody->pw_uid, -1) != 0) return -1;
  chmod(dir.Path(kLock).c_str(), mode);
  return -1;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LockTest,
    ::testing::Values(
        LockCase{"Missing", [](const TempDir&) { return -1; }, nullptr, 0600},
        LockCase{"OpenToOthers", [](const TempDir& d) { return OwnLock(d, 0644); }, nullptr, 0600},
        // Another account made the lock file before the utility did and holds it:
        // the change gives up after its wait, a page view does not wait at all.
        LockCase{"HeldByAnotherAccount",
                 [](const TempDir& d) {
                   d.Write(kLock, "");
                   chmod(d.Path(kLock).c_str(), 0644);
                   const int fd = open(d.Path(kLock).c_str(), O_RDONLY | O_CLOEXEC);
                   EXPECT_EQ(flock(fd, LOCK_EX), 0);
                   return fd;
                 },
                 kBusy, 0644},
        LockCase{"LinkToAnotherFile",
                 [](const TempDir& d) {
                   d.Write("victim", "kept");
                   chmod(d.Path("victim").c_str(), 0644);
                   EXPECT_EQ(symlink("victim", d.Path(kLock).c_str()), 0);
                   return -1;
                 },
                 kNotRegular, 0},
        LockCase{"DanglingLink",
                 [](const TempDir& d) {
                   EXPECT_EQ(symlink("made-by-lock", d.Path(kLock).c_str()), 0);
                   return -1;
                 },
                 kNotRegular, 0},
        LockCase{"Folder", [](const TempDir& d) { d.MakeDir(kLock); return -1; }, kNotRegular, 0},
        LockCase{"Fifo",
                 [](const TempDir& d) {
                   EXPECT_EQ(mkfifo(d.Path(kLock).c_str(), 0666), 0);
                   return -1;
                 },
                 kNotRegular, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
