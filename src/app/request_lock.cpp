// An exclusive lock that makes requests which load, change and save files take turns.
#include "app/request_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

RequestLock::RequestLock(const char* path) {
  fd_ = open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  // flock needs no write permission: a lock file that another account created
  // readable only still serves.
  if (fd_ < 0) fd_ = open(path, O_RDONLY | O_CLOEXEC);
  // Without a lock file (a read-only folder) the request goes on unlocked rather than
  // fail: the administrator still gets the page, and the state file could not be
  // saved in that folder anyway.
  if (fd_ < 0) return;
  while (flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
  }
}

RequestLock::~RequestLock() {
  if (fd_ >= 0) close(fd_);
}
