// Safe replacement of files: new content is complete on disk before it takes the old one's place.
#include "fileio/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <optional>

#include "fileio/path_parts.h"
#include "fileio/regular_file.h"

namespace {

constexpr int kMaxLinkHops = 40;
constexpr int kWriteError = 1;
constexpr int kCloseError = 103;
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kPermissionBits = 07777;
constexpr std::string_view kReplacementMark = ".tvqnew-";
constexpr std::size_t kUniqueLength = 6;

std::optional<std::string> ReadLink(const std::string& path) {
  std::string target(PATH_MAX, '\0');
  const ssize_t length = readlink(path.c_str(), target.data(), target.size());
  if (length < 0) return std::nullopt;
  if (static_cast<std::size_t>(length) == target.size()) {
    errno = ENAMETOOLONG;
    return std::nullopt;
  }
  target.resize(static_cast<std::size_t>(length));
  return target;
}

// The file a write to `path` reaches: symbolic links followed to their end.
// None, with errno set, when the chain cannot be followed (a loop, an unreadable link).
std::optional<std::string> FollowLinks(std::string path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat status;
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    const std::optional<std::string> link = ReadLink(path);
    if (!link) return std::nullopt;
    path = (*link)[0] == '/' ? *link : DirectoryPart(path) + *link;
  }
  errno = ELOOP;
  return std::nullopt;
}

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return kNewFileMode & ~mask;
}

// Hands the new file the owner and group of the old one, or, where only a
// privileged process could give it the owner, at least the group. False when
// not even the group can be kept.
bool TakeOverOwnership(int descriptor, const struct stat& previous) {
  return fchown(descriptor, previous.st_uid, previous.st_gid) == 0 ||
         fchown(descriptor, static_cast<uid_t>(-1), previous.st_gid) == 0;
}

void RemoveKeepingErrno(const std::string& temporary) {
  const int error = errno;
  unlink(temporary.c_str());
  errno = error;
}

// Creates the new file beside `target`; -1 with errno set when it cannot.
int CreateBeside(const std::string& target, std::string& temporary) {
  temporary = DirectoryPart(target) + "." + LastComponent(target) + std::string(kReplacementMark) +
              std::string(kUniqueLength, 'X');
  return mkostemp(temporary.data(), O_CLOEXEC);
}

// The stream on the new file `descriptor` with permission bits `mode`, which
// replaces `target` when finished.
std::FILE* ReplacementStream(int descriptor, mode_t mode, const std::string& target,
                             const std::string& temporary, FileReplacement& replacement) {
  std::FILE* stream = fchmod(descriptor, mode) == 0 ? fdopen(descriptor, "wb") : nullptr;
  if (stream == nullptr) {
    CloseKeepingErrno(descriptor);
    RemoveKeepingErrno(temporary);
    return nullptr;
  }
  replacement = {target, temporary};
  return stream;
}

// Writes the open file itself, emptied first.
std::FILE* InPlaceStream(int descriptor, const std::string& target, FileReplacement& replacement) {
  std::FILE* stream = ftruncate(descriptor, 0) == 0 ? fdopen(descriptor, "wb") : nullptr;
  if (stream == nullptr) {
    CloseKeepingErrno(descriptor);
    return nullptr;
  }
  replacement = {target, std::string()};
  return stream;
}

// `existing` is open for writing on `target`, which has `status`.
std::FILE* ReplaceExisting(int existing, const struct stat& status, const std::string& target,
                           FileReplacement& replacement) {
  if (status.st_nlink > 1) return InPlaceStream(existing, target, replacement);
  std::string temporary;
  const int descriptor = CreateBeside(target, temporary);
  if (descriptor < 0) {
    CloseKeepingErrno(existing);
    return nullptr;
  }
  if (!TakeOverOwnership(descriptor, status)) {
    close(descriptor);
    unlink(temporary.c_str());
    return InPlaceStream(existing, target, replacement);
  }
  close(existing);
  return ReplacementStream(descriptor, status.st_mode & kPermissionBits, target, temporary,
                           replacement);
}

std::FILE* CreateNew(const std::string& target, FileReplacement& replacement) {
  // Without a name there is nothing to create ("" or a name ending in "/"):
  // errno stays ENOENT from the failed open.
  if (LastComponent(target).empty()) return nullptr;
  std::string temporary;
  const int descriptor = CreateBeside(target, temporary);
  if (descriptor < 0) return nullptr;
  return ReplacementStream(descriptor, NewFileMode(), target, temporary, replacement);
}

// Makes the rename itself durable; the content is in place whatever this gives.
void SyncFolderOf(const std::string& target) {
  const std::string folder = DirectoryPart(target);
  const int descriptor = open(folder.empty() ? "." : folder.c_str(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (descriptor < 0) return;
  fsync(descriptor);
  close(descriptor);
}

bool IsUniqueByte(char byte) { return std::isalnum(static_cast<unsigned char>(byte)) != 0; }

}  // namespace

std::FILE* OpenReplacement(const std::string& path, FileReplacement& replacement) {
  replacement = FileReplacement();
  const std::optional<std::string> target = FollowLinks(path);
  if (!target) return nullptr;
  struct stat status;
  const int existing = OpenRegularFile(*target, O_WRONLY, status);
  if (existing >= 0) return ReplaceExisting(existing, status, *target, replacement);
  return errno == ENOENT ? CreateNew(*target, replacement) : nullptr;
}

int FinishReplacement(std::FILE* stream, const FileReplacement& replacement, bool writeFailed) {
  int error = writeFailed ? kWriteError : 0;
  if (error == 0 && (std::fflush(stream) != 0 || fsync(fileno(stream)) != 0)) error = kWriteError;
  if (std::fclose(stream) != 0 && error == 0) error = kCloseError;
  if (replacement.temporary.empty()) return error;
  if (error == 0 && std::rename(replacement.temporary.c_str(), replacement.target.c_str()) != 0) {
    error = kCloseError;
  }
  if (error != 0) {
    unlink(replacement.temporary.c_str());
  } else {
    SyncFolderOf(replacement.target);
  }
  return error;
}

void AbandonReplacement(std::FILE* stream, const FileReplacement& replacement) {
  std::fclose(stream);
  if (!replacement.temporary.empty()) unlink(replacement.temporary.c_str());
}

bool IsReplacementName(std::string_view name) {
  const std::size_t tail = kReplacementMark.size() + kUniqueLength;
  // "." + at least one byte of the target's name + the mark + the unique part.
  if (name.size() < 2 + tail || name[0] != '.') return false;
  const std::string_view unique = name.substr(name.size() - kUniqueLength);
  return name.substr(name.size() - tail, kReplacementMark.size()) == kReplacementMark &&
         std::all_of(unique.begin(), unique.end(), IsUniqueByte);
}
