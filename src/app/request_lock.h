// An exclusive lock that makes requests which change files take turns.
#pragma once

#include <chrono>

// What became of a request for the lock.
enum class LockOutcome {
  kHeld,        // this process holds the lock
  kBusy,        // another process held it for the whole wait
  kNotRegular,  // the lock's name is taken by a link, folder, pipe or device
  kUnavailable  // no lock file can be had here (a read-only folder)
};

class RequestLock {
 public:
  // Waits at most `waitLimit` until this process holds the lock on the file
  // `path`. The file is created with mode 0600 when missing, narrowed to 0600
  // when the process owns it, never followed when it is a symbolic link and
  // never replaced.
  RequestLock(const char* path, std::chrono::milliseconds waitLimit);
  // Releases the lock.
  ~RequestLock();
  RequestLock(const RequestLock&) = delete;
  RequestLock& operator=(const RequestLock&) = delete;

  LockOutcome outcome() const { return outcome_; }

 private:
  int fd_ = -1;
  LockOutcome outcome_ = LockOutcome::kUnavailable;
};
