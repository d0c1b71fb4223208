// The actions that select, create by copy and forget configuration files.
#include "configs/config_actions.h"

#include <unistd.h>

#include <algorithm>
#include <string>

#include "app/app_state.h"
#include "app/own_files.h"
#include "app/utility_state.h"
#include "config/config_reader.h"
#include "config/search_config.h"
#include "fileio/same_file.h"
#include "fileio/text_file.h"
#include "history/version_guard.h"

namespace {

const char kOutsideMessage[] =
    "You can not create configuration files located outside the tovimarqdata "
    "directory using this configuration utility.";

std::string DirectoryMessage(const std::string& name) {
  return "The directory \"" + name + "\" already exists. You can not create a file with the same name.";
}

std::string FileMessage(const std::string& name) {
  return "The file \"" + name + "\" was not changed because it already exists.";
}

std::string NotListedMessage(const std::string& name) {
  return "The file \"" + name + "\" is not a configuration file and was not selected.";
}

std::string OwnFileMessage(const std::string& name) {
  return "The file \"" + name +
         "\" belongs to this configuration utility itself and can not be a configuration file.";
}

// Makes the name current and puts it at the front of the list, where it then
// stands once.
void SelectName(AppState& state, const std::string& name) {
  state.currentConfig = name;
  std::vector<std::string>& names = state.configFiles;
  names.erase(std::remove(names.begin(), names.end(), name), names.end());
  names.insert(names.begin(), name);
  SaveUtilityState(state);
}

// Whether the file is the file list of a known configuration.
bool IsKnownFileList(const AppState& state, const std::string& name) {
  for (const std::string& config : state.configFiles) {
    SearchConfig settings;
    ReadSearchConfig(settings, config);
    if (IsSameFile(name, settings.FILELIST)) return true;
  }
  return false;
}

// Whether the whole file reads, every line of it is a configuration line, and
// at least one sets a known key: an empty file or one of another format is not
// a configuration that a later save may write into.
bool HoldsOnlyConfigLines(const std::string& name) {
  bool only = true;
  bool setsKey = false;
  const int error = ReadConfigLines(name, [&](const std::string& line) {
    only = IsConfigLine(line);
    setsKey = setsKey || ConfigLineField(line).has_value();
    return only;
  });
  return error == 0 && only && setsKey;
}

// Whether an existing file may join the list: the list would keep it, and it
// is a configuration file rather than another file of the data directory.
bool MayListExisting(const AppState& state, const std::string& name) {
  return MayUseConfig(name) && !IsKnownFileList(state, name) && HoldsOnlyConfigLines(name);
}

// Copies the source line by line into the already opened target, so every line
// ends in LF alone. False, with the writing message, when a line fails.
bool CopyLines(TextFile& source, TextFile& target, const std::string& targetName,
               AppState& state) {
  std::string line;
  while (!source.AtEnd()) {
    source.ReadLine(line);
    target.WriteLine(line);
    if (const int error = TakeFileError(); error != 0) {
      state.messages.push_back(SaveFailureMessage(targetName, error));
      return false;
    }
  }
  return true;
}

// Creates the target as a copy of the source; false when nothing complete was made.
bool CopyFile(const std::string& sourceName, const std::string& targetName, AppState& state) {
  TextFile source;
  source.SetPath(sourceName);
  source.OpenRead();
  if (TakeFileError() != 0) return false;
  TextFile target;
  target.SetPath(targetName);
  target.OpenWrite();
  if (TakeFileError() != 0) {
    state.messages.push_back("Error creating file " + targetName);
    source.Close();
    TakeFileError();
    return false;
  }
  bool copied = CopyLines(source, target, targetName, state);
  // The new file only takes its name when it is closed: a failed close is a failed write.
  target.Close();
  if (const int error = TakeFileError(); error != 0 && copied) {
    state.messages.push_back(SaveFailureMessage(targetName, error));
    copied = false;
  }
  source.Close();
  TakeFileError();
  return copied;
}

}  // namespace

void SelectConfig(AppState& state) {
  int position = 0;
  if (!GetIntField(state.form, "ini", position)) return;
  if (!PostedVersionIsCurrent(state, kStateFileName)) return;
  if (position < 1 || static_cast<std::size_t>(position) >= state.configFiles.size()) return;
  const auto chosen = state.configFiles.begin() + position;
  std::rotate(state.configFiles.begin(), chosen, chosen + 1);
  state.currentConfig = state.configFiles.front();
  SaveUtilityState(state);
}

void CopyConfig(AppState& state) {
  std::string sourceName;
  std::string targetName;
  if (!GetField(state.form, "ini", sourceName) || !GetField(state.form, "newini", targetName)) {
    return;
  }
  if (targetName.empty() || !PostedVersionIsCurrent(state, kStateFileName)) return;
  if (!IsKnownConfig(state, sourceName)) {
    state.messages.push_back("Error creating file " + targetName);
    return;
  }
  if (!MayUseConfig(sourceName)) return;
  if (!IsInDataFolder(targetName)) {
    state.messages.push_back(kOutsideMessage);
    return;
  }
  if (IsOwnFile(targetName, state.programName)) {
    state.messages.push_back(OwnFileMessage(targetName));
    return;
  }
  if (access(targetName.c_str(), F_OK) == 0) {
    if (IsDirectory(targetName)) {
      state.messages.push_back(DirectoryMessage(targetName));
      return;
    }
    state.messages.push_back(FileMessage(targetName));
    if (MayListExisting(state, targetName)) {
      SelectName(state, targetName);
    } else {
      state.messages.push_back(NotListedMessage(targetName));
    }
    return;
  }
  if (CopyFile(sourceName, targetName, state)) SelectName(state, targetName);
}

void DeleteConfig(AppState& state) {
  std::string name;
  if (state.configFiles.size() < 2 || !GetField(state.form, "ini", name)) return;
  if (!PostedVersionIsCurrent(state, kStateFileName)) return;
  std::vector<std::string>& names = state.configFiles;
  const auto kept = std::remove(names.begin(), names.end(), name);
  if (kept == names.end()) return;
  names.erase(kept, names.end());
  // Forgetting every entry leaves the selection as it was for this request; the
  // next request starts from the default configuration.
  if (!names.empty()) state.currentConfig = names.front();
  SaveUtilityState(state);
  state.messages.push_back(name + " was removed from the list; its file was kept");
}
