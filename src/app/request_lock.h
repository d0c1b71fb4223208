// An exclusive lock that makes requests which load, change and save files take turns.
#pragma once

class RequestLock {
 public:
  // Waits until this process holds the lock on the file `path`, which is created when
  // missing and never replaced.
  explicit RequestLock(const char* path);
  // Releases the lock.
  ~RequestLock();
  RequestLock(const RequestLock&) = delete;
  RequestLock& operator=(const RequestLock&) = delete;

 private:
  int fd_ = -1;
};
