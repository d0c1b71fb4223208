// Recognising the utility's own files and folders however a request spells them.
#include "app/own_files.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>
#include <memory>

#include "fileio/line_safety.h"
#include "fileio/path_parts.h"

const char kHistoryFolderName[] = "tvqconf.history";

namespace {

// The utility's own files besides the program itself.
const char* const kOwnFiles[] = {"tvqconf.dat", "tvqconf.lock", kHistoryFolderName};

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool IsFileAt(const std::string& own, const struct stat& named) {
  struct stat status;
  return !own.empty() && stat(own.c_str(), &status) == 0 && SameFile(status, named);
}

// The absolute path without links of an existing `path`; empty when it cannot be had.
std::string Resolved(const std::string& path) {
  const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                            &std::free);
  return resolved ? std::string(resolved.get()) : std::string();
}

// The path a write to `name` would reach: the name itself when it exists, else
// its folder (the nearest existing one) followed by the rest, all links resolved.
std::string ReachedPath(const std::string& name) {
  std::string rest;
  std::string existing = name;
  while (!existing.empty()) {
    const std::string resolved = Resolved(existing);
    if (!resolved.empty()) return resolved + rest;
    std::string folder = DirectoryPart(existing);
    rest = "/" + LastComponent(existing) + rest;
    while (!folder.empty() && folder.back() == '/') folder.pop_back();
    existing = folder;
  }
  return Resolved(".") + rest;
}

// Whether a write to `name` would land in the history folder or in the folder itself.
bool IsInHistoryFolder(const std::string& name) {
  const std::string history = Resolved(kHistoryFolderName);
  if (history.empty()) return false;
  const std::string reached = ReachedPath(name);
  return reached == history || reached.compare(0, history.size() + 1, history + "/") == 0;
}

}  // namespace

bool IsOwnFile(const std::string& name, const std::string& programName) {
  if (IsInHistoryFolder(name)) return true;
  struct stat named;
  const bool exists = stat(name.c_str(), &named) == 0;
  const std::string last = LastComponent(name);
  const auto denotes = [&](const std::string& own) {
    return exists ? IsFileAt(own, named) : !own.empty() && last == own;
  };
  for (const char* own : kOwnFiles) {
    if (denotes(own)) return true;
  }
  return denotes(programName);
}

bool IsInDataFolder(const std::string& name) {
  if (name.empty() || name.find("../") != std::string::npos || HoldsLineBreakOrZero(name)) {
    return false;
  }
  return name.front() != '/' || name.find("tovimarqdata") != std::string::npos;
}
