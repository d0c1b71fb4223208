// Preloaded into the program under test: records fsync and rename calls, and fails chosen fsyncs.
//
// TVQ_SEAM_LOG names the file that receives one line per call, its fields
// separated by tabs: "fsync", the synced file's absolute path, and "0" or "-1";
// "rename", the absolute old and new names, and the result. An fsync of a path
// that holds TVQ_SEAM_FAIL_FSYNC fails with EIO without syncing.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string PathOfDescriptor(int fd) {
  char link[64];
  char path[PATH_MAX];
  snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t length = readlink(link, path, sizeof path);
  return length < 0 ? std::string("?") : std::string(path, static_cast<std::size_t>(length));
}

std::string Absolute(const char* path) {
  if (path[0] == '/') return path;
  char folder[PATH_MAX];
  return getcwd(folder, sizeof folder) == nullptr ? path : std::string(folder) + "/" + path;
}

void Record(const std::string& line) {
  const char* log = std::getenv("TVQ_SEAM_LOG");
  if (log == nullptr) return;
  const int saved = errno;
  const int fd = open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd >= 0) {
    const std::string text = line + "\n";
    [[maybe_unused]] const ssize_t written = write(fd, text.data(), text.size());
    close(fd);
  }
  errno = saved;
}

template <typename Function>
Function Next(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int fsync(int fd) {
  const std::string path = PathOfDescriptor(fd);
  const char* fail = std::getenv("TVQ_SEAM_FAIL_FSYNC");
  int result;
  if (fail != nullptr && path.find(fail) != std::string::npos) {
    errno = EIO;
    result = -1;
  } else {
    result = Next<int (*)(int)>("fsync")(fd);
  }
  Record("fsync\t" + path + "\t" + std::to_string(result));
  return result;
}

extern "C" int rename(const char* from, const char* to) {
  const int result = Next<int (*)(const char*, const char*)>("rename")(from, to);
  Record("rename\t" + Absolute(from) + "\t" + Absolute(to) + "\t" + std::to_string(result));
  return result;
}
