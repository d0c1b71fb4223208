// The one place where files are opened: regular files only, checked on the descriptor.
#include "fileio/regular_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

int OpenRegularFile(const std::string& path, int flags, struct stat& status) {
  const int descriptor = open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) return -1;
  if (fstat(descriptor, &status) != 0) {
    CloseKeepingErrno(descriptor);
    return -1;
  }
  if (!S_ISREG(status.st_mode)) {
    close(descriptor);
    errno = S_ISDIR(status.st_mode) ? EISDIR : ENXIO;
    return -1;
  }
  return descriptor;
}

void CloseKeepingErrno(int descriptor) {
  const int error = errno;
  close(descriptor);
  errno = error;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
  struct stat status;
  const int descriptor = OpenRegularFile(path, O_RDONLY, status);
  if (descriptor < 0) return false;
  content.resize(static_cast<std::size_t>(status.st_size));
  std::size_t done = 0;
  ssize_t count = 1;
  // A file that grows meanwhile is read to its end.
  while (count > 0) {
    if (done == content.size()) content.resize(done + 4096);
    count = read(descriptor, content.data() + done, content.size() - done);
    if (count > 0) done += static_cast<std::size_t>(count);
  }
  content.resize(done);
  CloseKeepingErrno(descriptor);
  return count == 0;
}

bool SyncFolder(const std::string& folder) {
  const int descriptor =
      open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return false;
  const bool synced = fsync(descriptor) == 0;
  close(descriptor);
  return synced;
}
