// The rule that bounds where the file list actions write.
#include "filelist/file_list_name.h"

#include <algorithm>

#include "app/app_state.h"
#include "app/own_files.h"
#include "fileio/same_file.h"

namespace {

bool IsKnownConfigFile(const AppState& state, const std::string& name) {
  return std::any_of(state.configFiles.begin(), state.configFiles.end(),
                     [&name](const std::string& config) { return IsSameFile(name, config); });
}

}  // namespace

FileListName CheckFileListName(const AppState& state, const std::string& name) {
  if (!IsInDataFolder(name)) return FileListName::kOutside;
  if (IsOwnFile(name, state.programName)) return FileListName::kOwnFile;
  if (IsKnownConfigFile(state, name)) return FileListName::kConfigFile;
  return FileListName::kWritable;
}

const char* FileListNameReason(FileListName verdict) {
  switch (verdict) {
    case FileListName::kOutside:
      return "This file list lies outside the tovimarqdata directory: changes to it can "
             "not be saved with this utility.";
    case FileListName::kOwnFile:
      return "This file list belongs to the configuration utility itself: changes to it can "
             "not be saved with this utility.";
    case FileListName::kConfigFile:
      return "This file list is a configuration file: changes to it can not be saved with "
             "this utility.";
    case FileListName::kWritable: break;
  }
  return "";
}
