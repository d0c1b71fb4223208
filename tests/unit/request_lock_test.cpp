// The request lock in one process: what it takes, what it refuses, and that its wait ends.
#include "app/request_lock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>

#include "support/temp_dir.h"

namespace {

constexpr std::chrono::milliseconds kShortWait{20};

struct LockFileCase {
  const char* name;
  // Lays out the lock file at the path; returns a descriptor to close afterwards, or -1.
  std::function<int(const std::string&)> arrange;
  LockOutcome outcome;
};

void PrintTo(const LockFileCase& c, std::ostream* out) { *out << c.name; }

class RequestLockTest : public ::testing::TestWithParam<LockFileCase> {};

TEST_P(RequestLockTest, TakesOnlyAFreeRegularFile) {
  TempDir dir;
  const std::string path = dir.Path("tvqconf.lock");
  const int kept = GetParam().arrange(path);
  {
    const RequestLock lock(path.c_str(), kShortWait);
    EXPECT_EQ(lock.outcome(), GetParam().outcome);
  }
  if (kept >= 0) close(kept);
  struct stat status;
  ASSERT_EQ(lstat(path.c_str(), &status), 0);
  if (GetParam().outcome == LockOutcome::kHeld) {
    EXPECT_EQ(status.st_mode & 07777, 0600u);
  }
  EXPECT_FALSE(dir.Exists("elsewhere"));
}

// flock locks of two opens conflict even within one process.
int HoldElsewhere(const std::string& path) {
  const int fd = open(path.c_str(), O_RDWR | O_CREAT, 0644);
  EXPECT_EQ(flock(fd, LOCK_EX), 0);
  return fd;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RequestLockTest,
    ::testing::Values(
        LockFileCase{"Missing", [](const std::string&) { return -1; }, LockOutcome::kHeld},
        LockFileCase{"OpenToAll",
                     [](const std::string& path) {
                       close(open(path.c_str(), O_RDWR | O_CREAT, 0666));
                       chmod(path.c_str(), 0666);
                       return -1;
                     },
                     LockOutcome::kHeld},
        LockFileCase{"HeldElsewhere", HoldElsewhere, LockOutcome::kBusy},
        LockFileCase{"Link",
                     [](const std::string& path) {
                       EXPECT_EQ(symlink("elsewhere", path.c_str()), 0);
                       return -1;
                     },
                     LockOutcome::kNotRegular},
        LockFileCase{"Folder",
                     [](const std::string& path) {
                       EXPECT_EQ(mkdir(path.c_str(), 0755), 0);
                       return -1;
                     },
                     LockOutcome::kNotRegular},
        LockFileCase{"Fifo",
                     [](const std::string& path) {
                       EXPECT_EQ(mkfifo(path.c_str(), 0600), 0);
                       return -1;
                     },
                     LockOutcome::kNotRegular}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RequestLockTurnsTest, NextRequestTakesTheLockOnceReleased) {
  TempDir dir;
  const std::string path = dir.Path("tvqconf.lock");
  auto first = std::make_unique<RequestLock>(path.c_str(), kShortWait);
  ASSERT_EQ(first->outcome(), LockOutcome::kHeld);
  EXPECT_EQ(RequestLock(path.c_str(), kShortWait).outcome(), LockOutcome::kBusy);
  first.reset();
  EXPECT_EQ(RequestLock(path.c_str(), kShortWait).outcome(), LockOutcome::kHeld);
}

}  // namespace
