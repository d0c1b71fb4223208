// The request lock's bounded wait, in one process with a short bound; the lock file's
// kinds and modes are tested end to end (e2e/request_lock_test.cpp).
#include "app/request_lock.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <memory>

#include "support/temp_dir.h"

namespace {

constexpr std::chrono::milliseconds kShortWait{20};

// flock locks of two opens conflict even within one process.
TEST(RequestLockTest, GivesUpWhileHeldAndTakesTheLockOnceReleased) {
  TempDir dir;
  const std::string path = dir.Path("tvqconf.lock");
  auto first = std::make_unique<RequestLock>(path.c_str(), kShortWait);
  ASSERT_EQ(first->outcome(), LockOutcome::kHeld);
  EXPECT_EQ(RequestLock(path.c_str(), kShortWait).outcome(), LockOutcome::kBusy);
  first.reset();
  const int other = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(flock(other, LOCK_SH), 0);
  EXPECT_EQ(RequestLock(path.c_str(), kShortWait).outcome(), LockOutcome::kBusy);
  close(other);
  EXPECT_EQ(RequestLock(path.c_str(), kShortWait).outcome(), LockOutcome::kHeld);
}

}  // namespace
