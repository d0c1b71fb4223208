// One pass over a folder that removes new files abandoned by killed requests.
#include "fileio/stale_replacements.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

#include "fileio/file_replacement.h"

namespace {

constexpr std::time_t kStaleAfterSeconds = 60 * 60;

bool IsStale(int folderFd, const char* name, std::time_t now) {
  struct stat status;
  return fstatat(folderFd, name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
         S_ISREG(status.st_mode) && now - status.st_mtime > kStaleAfterSeconds;
}

}  // namespace

void RemoveStaleReplacements(const std::string& folder) {
  DIR* listing = opendir(folder.c_str());
  if (listing == nullptr) return;
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = readdir(listing)) {
    if (IsReplacementName(entry->d_name) && IsStale(dirfd(listing), entry->d_name, now)) {
      unlinkat(dirfd(listing), entry->d_name, 0);
    }
  }
  closedir(listing);
}
