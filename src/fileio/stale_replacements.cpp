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

// Only a file this program's user made, with the one name and no other, can be
// a new file it left: anything another account owns, or linked elsewhere too,
// is someone's own file that merely has the form of the name.
bool IsStale(int folderFd, const char* name, std::time_t now) {
  struct stat status;
  return fstatat(folderFd, name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
         S_ISREG(status.st_mode) && status.st_uid == geteuid() && status.st_nlink == 1 &&
         now - status.st_mtime > kStaleAfterSeconds;
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
