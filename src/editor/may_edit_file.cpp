// Which file names may be edited or created through the utility.
#include "editor/may_edit_file.h"

#include <sys/stat.h>

#include "fileio/line_safety.h"
#include "fileio/path_parts.h"

namespace {

// The utility's own files besides the program itself.
const char* const kOwnFiles[] = {"tvqconf.dat", "tvqconf.lock"};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool IsFileAt(const std::string& own, const struct stat& named) {
  struct stat status;
  return !own.empty() && stat(own.c_str(), &status) == 0 && SameFile(status, named);
}

// Whether `name` denotes the program or one of its own files: the same file
// (links and other spellings included) when the name exists, else the same
// last component, since writing would create the file under that name.
bool IsOwnFile(const std::string& name, const std::string& programName) {
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

}  // namespace

bool MayEditFile(const std::string& name, const std::string& programName) {
  if (name.empty() || Contains(name, "../") || HoldsLineBreakOrZero(name)) return false;
  if (IsOwnFile(name, programName)) return false;
  if (name.front() != '/') return true;
  return Contains(name, "tovimarqdata");
}

const char kRefusalNote[] =
    "You can not edit files located outside the <i>tovimarqdata</i> directory "
    "using this configuration utility. Upload those files via FTP instead.";
