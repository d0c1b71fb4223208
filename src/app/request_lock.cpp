// An exclusive lock that makes requests which change files take turns.
#include "app/request_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

namespace {

constexpr mode_t kLockMode = 0600;
constexpr mode_t kPermissionBits = 07777;
constexpr int kOpenFlags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
constexpr std::chrono::milliseconds kLongestPause{50};

// The descriptor of the lock file, created when missing. flock needs no write
// permission, so a lock file this process may only read still serves.
int OpenLockFile(const char* path) {
  const int fd = open(path, O_RDWR | O_CREAT | kOpenFlags, kLockMode);
  return fd >= 0 ? fd : open(path, O_RDONLY | kOpenFlags);
}

// Whether something other than a regular file stands at `path`.
bool IsOtherThanRegular(const char* path) {
  struct stat status;
  return lstat(path, &status) == 0 && !S_ISREG(status.st_mode);
}

// Tries for the lock until `waitLimit` has passed, pausing a little longer each time.
LockOutcome TakeWithin(int fd, std::chrono::milliseconds waitLimit) {
  const auto deadline = std::chrono::steady_clock::now() + waitLimit;
  std::chrono::milliseconds pause{1};
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    // A file system without locks: the request goes on as where no lock file can be made.
    if (errno != EWOULDBLOCK && errno != EINTR) return LockOutcome::kUnavailable;
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return LockOutcome::kBusy;
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
    pause = std::min(pause * 2, kLongestPause);
  }
  return LockOutcome::kHeld;
}

}  // namespace

RequestLock::RequestLock(const char* path, std::chrono::milliseconds waitLimit) {
  fd_ = OpenLockFile(path);
  if (fd_ < 0) {
    // Without a lock file (a read-only folder) the request goes on unlocked rather than
    // fail: the administrator still gets the page, and the state file could not be
    // saved in that folder anyway.
    if (IsOtherThanRegular(path)) outcome_ = LockOutcome::kNotRegular;
    return;
  }
  struct stat status;
  if (fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)) {
    outcome_ = LockOutcome::kNotRegular;
    return;
  }
  // A lock file that others may open lets any local account hold every change up.
  if (status.st_uid == geteuid() && (status.st_mode & kPermissionBits) != kLockMode) {
    fchmod(fd_, kLockMode);
  }
  outcome_ = TakeWithin(fd_, waitLimit);
}

RequestLock::~RequestLock() {
  if (fd_ >= 0) close(fd_);
}
