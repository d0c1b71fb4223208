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
