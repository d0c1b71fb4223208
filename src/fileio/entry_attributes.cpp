// Typing of listed entries: from the listing, or by examining an untyped entry.
#include "fileio/entry_attributes.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include "fileio/directory_scan.h"

std::uint32_t EntryAttributes(int directoryFd, const char* name, unsigned char type) {
  if (type == DT_UNKNOWN) {
    struct stat status;
    const bool isDirectory = fstatat(directoryFd, name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
                             S_ISDIR(status.st_mode);
    return isDirectory ? kDirectoryAttribute : 0;
  }
  return type == DT_DIR ? kDirectoryAttribute : 0;
}
