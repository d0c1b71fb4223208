// Whether two names lead to one file.
#include "fileio/same_file.h"

#include <sys/stat.h>

#include "fileio/line_safety.h"

bool IsSameFile(const std::string& first, const std::string& second) {
  struct stat firstStatus;
  struct stat secondStatus;
  if (HoldsLineBreakOrZero(first) || HoldsLineBreakOrZero(second) ||
      stat(first.c_str(), &firstStatus) != 0 || stat(second.c_str(), &secondStatus) != 0) {
    return first == second;
  }
  return firstStatus.st_dev == secondStatus.st_dev && firstStatus.st_ino == secondStatus.st_ino;
}
