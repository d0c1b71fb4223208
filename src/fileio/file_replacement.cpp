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
#include "fileio/replacement_recorder.h"

namespace {

constexpr int kMaxLinkHops = 40;
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
// replaces `target` when finished: by a rename, or copied into `inPlace` when
// that is a descriptor of the target.
std::FILE* ReplacementStream(int descriptor, mode_t mode, const std::string& target,
                             const std::string& temporary, int inPlace,
                             FileReplacement& replacement) {
  std::FILE* stream = fchmod(descriptor, mode) == 0 ? fdopen(descriptor, "wb") : nullptr;
  if (stream == nullptr) {
    CloseKeepingErrno(descriptor);
    RemoveKeepingErrno(temporary);
    if (inPlace >= 0) CloseKeepingErrno(inPlace);
    return nullptr;
  }
  replacement.target = target;
  replacement.temporary = temporary;
  replacement.inPlace = inPlace;
  return stream;
}

// `existing` is open for writing on `target`, which has `status`.
std::FILE* ReplaceExisting(int existing, const struct stat& status, const std::string& target,
                           FileReplacement& replacement) {
  std::string temporary;
  const int descriptor = CreateBeside(target, temporary);
  if (descriptor < 0) {
    CloseKeepingErrno(existing);
    return nullptr;
  }
  // The new file stays private to the program while it is only a copy's source.
  if (status.st_nlink > 1 || !TakeOverOwnership(descriptor, status)) {
    return ReplacementStream(descriptor, S_IRUSR | S_IWUSR, target, temporary, existing,
                             replacement);
  }
  close(existing);
  return ReplacementStream(descriptor, status.st_mode & kPermissionBits, target, temporary, -1,
                           replacement);
}

std::FILE* CreateNew(const std::string& target, FileReplacement& replacement) {
  // Without a name there is nothing to create ("" or a name ending in "/"):
  // errno stays ENOENT from the failed open.
  if (LastComponent(target).empty()) return nullptr;
  std::string temporary;
  const int descriptor = CreateBeside(target, temporary);
  if (descriptor < 0) return nullptr;
  return ReplacementStream(descriptor, NewFileMode(), target, temporary, -1, replacement);
}


// Makes the file behind `descriptor` hold exactly `content`, durably.
bool Overwrite(int descriptor, const std::string& content) {
  if (ftruncate(descriptor, 0) != 0) return false;
  std::size_t written = 0;
  while (written < content.size()) {
    const ssize_t count = pwrite(descriptor, content.data() + written, content.size() - written,
                                 static_cast<off_t>(written));
    if (count < 0) return false;
    written += static_cast<std::size_t>(count);
  }
  return fsync(descriptor) == 0;
}

// Copies the complete new file into the target in place. When the copy fails,
// the old content is written back, so the target holds one or the other.
int CopyInPlace(const FileReplacement& replacement) {
  std::string previous;
  std::string next;
  if (!ReadWholeFile(replacement.target, previous) || !ReadWholeFile(replacement.temporary, next)) {
    return kReplacementWriteError;
  }
  if (Overwrite(replacement.inPlace, next)) return 0;
  const int error = errno;
  Overwrite(replacement.inPlace, previous);
  errno = error;
  return kReplacementWriteError;
}

// Puts the complete, synced new file in place; 0 or an error code.
int PutInPlace(const FileReplacement& replacement) {
  if (replacement.inPlace >= 0) return CopyInPlace(replacement);
  if (std::rename(replacement.temporary.c_str(), replacement.target.c_str()) != 0) {
    return kReplacementCloseError;
  }
  // Makes the rename itself durable; the content is in place whatever this gives.
  SyncFolder(DirectoryPart(replacement.target));
  return 0;
}

// Removes the new file and lets go of the target, keeping errno.
void Release(FileReplacement& replacement) {
  RemoveKeepingErrno(replacement.temporary);
  if (replacement.inPlace >= 0) CloseKeepingErrno(replacement.inPlace);
  replacement.inPlace = -1;
}

bool IsUniqueByte(char byte) { return std::isalnum(static_cast<unsigned char>(byte)) != 0; }

}  // namespace

std::FILE* OpenReplacement(const std::string& path, FileReplacement& replacement) {
  replacement = FileReplacement();
  replacement.name = path;
  const std::optional<std::string> target = FollowLinks(path);
  if (!target) return nullptr;
  struct stat status;
  const int existing = OpenRegularFile(*target, O_WRONLY, status);
  if (existing >= 0) return ReplaceExisting(existing, status, *target, replacement);
  return errno == ENOENT ? CreateNew(*target, replacement) : nullptr;
}

int FinishReplacement(std::FILE* stream, FileReplacement& replacement, bool writeFailed,
                      const std::string& afterId) {
  int error = writeFailed ? kReplacementWriteError : 0;
  if (error == 0 && (std::fflush(stream) != 0 || fsync(fileno(stream)) != 0)) {
    error = kReplacementWriteError;
  }
  if (std::fclose(stream) != 0 && error == 0) error = kReplacementCloseError;
  ReplacementRecorder* recorder = CurrentReplacementRecorder();
  if (error == 0 && recorder != nullptr &&
      !recorder->KeepPrevious(replacement.name, replacement.target, replacement.inPlace < 0)) {
    error = kReplacementNotKeptError;
  } else if (error == 0) {
    error = PutInPlace(replacement);
    if (recorder != nullptr) {
      const int reason = errno;
      if (error == 0) recorder->Replaced(replacement.name, afterId);
      else recorder->Abandoned();
      errno = reason;
    }
  }
  if (error != 0 || replacement.inPlace >= 0) {
    Release(replacement);
  }
  return error;
}

void AbandonReplacement(std::FILE* stream, FileReplacement& replacement) {
  std::fclose(stream);
  Release(replacement);
}

bool IsReplacementName(std::string_view name) {
  const std::size_t tail = kReplacementMark.size() + kUniqueLength;
  // "." + at least one byte of the target's name + the mark + the unique part.
  if (name.size() < 2 + tail || name[0] != '.') return false;
  const std::string_view unique = name.substr(name.size() - kUniqueLength);
  return name.substr(name.size() - tail, kReplacementMark.size()) == kReplacementMark &&
         std::all_of(unique.begin(), unique.end(), IsUniqueByte);
}
