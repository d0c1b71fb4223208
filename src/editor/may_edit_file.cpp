// Which file names may be edited through the utility.
#include "editor/may_edit_file.h"

#include <sys/stat.h>

#include "app/own_files.h"
#include "fileio/path_parts.h"

namespace {

// Hidden files, which web servers read as their own settings.
bool IsHidden(const std::string& name) {
  const std::string last = LastComponent(name);
  return !last.empty() && last.front() == '.';
}

// Whether the file exists with an execute bit: a program, which the editor
// must not turn into another one that keeps the bits.
bool IsExecutable(const std::string& name) {
  struct stat status;
  return stat(name.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
         (status.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
}

}  // namespace

bool MayEditFile(const std::string& name, const std::string& programName) {
  return IsInDataFolder(name) && !IsHidden(name) && !IsExecutable(name) &&
         !IsOwnFile(name, programName);
}

const char kRefusalNote[] =
    "You can not edit files located outside the <i>tovimarqdata</i> directory "
    "using this configuration utility. Upload those files via FTP instead.";
