// Safe replacement of files: new content is complete on disk before it takes the old one's place.
#include "fileio/file_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <optional>

namespace {

constexpr int kMaxLinkHops = 40;
constexpr int kWriteError = 1;
constexpr int kCloseError = 103;
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kPermissionBits = 07777;
const char kTemporarySuffix[] = ".XXXXXX";

std::string DirectoryPart(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string LastComponent(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<std::string> ReadLink(const std::string& path) {
  std::string target(PATH_MAX, '\0');
  const ssize_t length = readlink(path.c_str(), target.data(), target.size());
  if (length < 0 || static_cast<std::size_t>(length) == target.size()) return std::nullopt;
  target.resize(static_cast<std::size_t>(length));
  return target;
}

// The file a write to `path` reaches: symbolic links followed to their end.
// None when the chain cannot be followed (a loop, an unreadable link).
std::optional<std::string> FollowLinks(std::string path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat status;
    if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    const std::optional<std::string> link = ReadLink(path);
    if (!link) return std::nullopt;
    path = (*link)[0] == '/' ? *link : DirectoryPart(path) + *link;
  }
  return std::nullopt;
}

std::FILE* OpenInPlace(const std::string& path, FileReplacement& replacement) {
  replacement = {path, std::string()};
  return std::fopen(path.c_str(), "wb");
}

// Fails with errno as an in-place open of the target would.
bool MayWrite(const std::string& path) {
  const int descriptor = open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) return false;
  close(descriptor);
  return true;
}

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return kNewFileMode & ~mask;
}

// Gives the new file the owner (where permitted) and permission bits of the old one.
bool TakeOverAttributes(int descriptor, const struct stat* previous) {
  if (previous == nullptr) return fchmod(descriptor, NewFileMode()) == 0;
  // Only a privileged process may hand the file to another owner; others keep it.
  if (fchown(descriptor, previous->st_uid, previous->st_gid) != 0) errno = 0;
  return fchmod(descriptor, previous->st_mode & kPermissionBits) == 0;
}

// Creates the new file beside `target`; nullptr with errno set when it cannot.
std::FILE* CreateBeside(const std::string& target, const struct stat* previous,
                        std::string& temporary) {
  temporary = DirectoryPart(target) + "." + LastComponent(target) + kTemporarySuffix;
  const int descriptor = mkostemp(temporary.data(), O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  std::FILE* stream = TakeOverAttributes(descriptor, previous) ? fdopen(descriptor, "wb") : nullptr;
  if (stream == nullptr) {
    const int error = errno;
    close(descriptor);
    unlink(temporary.c_str());
    errno = error;
  }
  return stream;
}

}  // namespace

std::FILE* OpenReplacement(const std::string& path, FileReplacement& replacement) {
  const std::optional<std::string> target = FollowLinks(path);
  if (!target || LastComponent(*target).empty()) return OpenInPlace(path, replacement);
  struct stat status;
  const bool exists = stat(target->c_str(), &status) == 0;
  // Devices, pipes and directories are not replaced: they get (or refuse) the bytes themselves.
  if (exists && !S_ISREG(status.st_mode)) return OpenInPlace(*target, replacement);
  if (exists && !MayWrite(*target)) return nullptr;
  std::string temporary;
  std::FILE* stream = CreateBeside(*target, exists ? &status : nullptr, temporary);
  if (stream == nullptr) return OpenInPlace(*target, replacement);
  replacement = {*target, temporary};
  return stream;
}

int FinishReplacement(std::FILE* stream, const FileReplacement& replacement, bool writeFailed) {
  if (replacement.temporary.empty()) return std::fclose(stream) == 0 ? 0 : kCloseError;
  int error = writeFailed ? kWriteError : 0;
  if (error == 0 && (std::fflush(stream) != 0 || fsync(fileno(stream)) != 0)) error = kWriteError;
  if (std::fclose(stream) != 0 && error == 0) error = kCloseError;
  if (error == 0 && std::rename(replacement.temporary.c_str(), replacement.target.c_str()) != 0) {
    error = kCloseError;
  }
  if (error != 0) unlink(replacement.temporary.c_str());
  return error;
}

void AbandonReplacement(std::FILE* stream, const FileReplacement& replacement) {
  std::fclose(stream);
  if (!replacement.temporary.empty()) unlink(replacement.temporary.c_str());
}
