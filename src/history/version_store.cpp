// Storing, reading and removing kept versions.
#include "history/version_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "fileio/regular_file.h"

namespace {

// The staged version's name: under the request lock there is at most one.
constexpr char kStagedName[] = ".incoming";
constexpr mode_t kFolderMode = 0700;
constexpr mode_t kVersionMode = 0600;

bool CopyFile(const std::string& from, const std::string& to) {
  struct stat status;
  const int source = OpenRegularFile(from, O_RDONLY, status);
  if (source < 0) return false;
  const int target = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kVersionMode);
  if (target < 0) {
    CloseKeepingErrno(source);
    return false;
  }
  char buffer[16384];
  ssize_t count;
  bool written = true;
  while (written && (count = read(source, buffer, sizeof buffer)) > 0) {
    const ssize_t put = write(target, buffer, static_cast<std::size_t>(count));
    // A short write means the disk or the file-size limit is full.
    if (put >= 0 && put < count) errno = ENOSPC;
    written = put == count;
  }
  written = written && count == 0 && fsync(target) == 0;
  CloseKeepingErrno(source);
  if (close(target) != 0) written = false;
  return written;
}

}  // namespace

VersionStore::VersionStore(std::string folder) : folder_(std::move(folder)) {}

std::string VersionStore::PathOf(const std::string& id) const { return folder_ + "/" + id; }

bool VersionStore::Prepare() {
  if (mkdir(folder_.c_str(), kFolderMode) != 0 && errno != EEXIST) return false;
  if (unlink(PathOf(kStagedName).c_str()) != 0 && errno != ENOENT) return false;
  return true;
}

bool VersionStore::Has(const std::string& id) const {
  struct stat status;
  return lstat(PathOf(id).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool VersionStore::Stage(const std::string& path, const std::string& id, bool linkable) {
  const std::string staged = PathOf(kStagedName);
  // A link can be refused (another owner's file, another file system): then a copy.
  const bool kept = (linkable && link(path.c_str(), staged.c_str()) == 0) || CopyFile(path, staged);
  if (!kept) {
    const int error = errno;
    unlink(staged.c_str());
    errno = error;
    return false;
  }
  stagedId_ = id;
  return true;
}

bool VersionStore::Commit() {
  if (stagedId_.empty()) return true;
  const bool renamed = rename(PathOf(kStagedName).c_str(), PathOf(stagedId_).c_str()) == 0;
  stagedId_.clear();
  return renamed && SyncFolder(folder_);
}

void VersionStore::Discard() {
  if (stagedId_.empty()) return;
  unlink(PathOf(kStagedName).c_str());
  stagedId_.clear();
}

bool VersionStore::Read(const std::string& id, std::string& content) const {
  // Only ids name versions: never the staged one, nor a path elsewhere.
  if (id.empty() || id.find('/') != std::string::npos || id[0] == '.') return false;
  return ReadWholeFile(PathOf(id), content);
}

long long VersionStore::SizeOf(const std::string& id) const {
  struct stat status;
  return lstat(PathOf(id).c_str(), &status) == 0 ? static_cast<long long>(status.st_size) : 0;
}

void VersionStore::RemoveAllBut(const std::unordered_set<std::string>& kept) const {
  DIR* listing = opendir(folder_.c_str());
  if (listing == nullptr) return;
  while (const dirent* entry = readdir(listing)) {
    const std::string name = entry->d_name;
    if (name[0] != '.' && kept.count(name) == 0) unlinkat(dirfd(listing), entry->d_name, 0);
  }
  closedir(listing);
}
