// The utility state file "tvqconf.dat": one known configuration per line, selected first.
#include "app/utility_state.h"

#include <unistd.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "fileio/line_safety.h"
#include "fileio/text_file.h"
#include "filelist/url.h"

const char kStateFileName[] = "tvqconf.dat";

namespace {

// The usable names of the file, in order; `first` is the first name of the
// file whether usable or not (empty when the file names none).
void ReadConfigNames(TextFile& file, std::vector<std::string>& names, std::string& first) {
  std::string line;
  bool atFirst = true;
  while (!file.AtEnd()) {
    file.ReadLine(line);
    std::string name = TrimBlanks(line);
    if (atFirst && !name.empty()) {
      first = name;
      atFirst = false;
    }
    if (MayUseConfig(name)) names.push_back(std::move(name));
  }
}

}  // namespace

bool MayUseConfig(const std::string& name) {
  return !name.empty() && !HoldsLineBreakOrZero(name) &&
         access(name.c_str(), R_OK | W_OK) == 0;
}

bool IsKnownConfig(const AppState& state, const std::string& name) {
  const std::vector<std::string>& names = state.configFiles;
  return std::find(names.begin(), names.end(), name) != names.end();
}

void LoadUtilityState(AppState& state) {
  if (state.stateLoaded) return;
  TextFile file;
  file.SetPath(kStateFileName);
  file.OpenRead();
  std::string selected;
  if (TakeFileError() == 0) {
    ReadConfigNames(file, state.configFiles, selected);
    state.stateVersion = file.ContentId();
    file.Close();
    TakeFileError();
  }
  if (state.configFiles.empty()) {
    state.configFiles.push_back(state.currentConfig);
  } else {
    state.currentConfig = state.configFiles.front();
  }
  state.stateLoaded = true;
  // The selected configuration was deleted, or may no longer be read or written:
  // say which one takes its place. The file itself changes only through an
  // action, under the lock and in the change history, so a page view says it
  // again until then.
  if (!selected.empty() && selected != state.currentConfig) {
    state.messages.push_back(selected + " can no longer be used; " + state.currentConfig +
                             " is selected");
  }
}

bool SaveUtilityState(AppState& state) {
  const int error = ReplaceFile(kStateFileName, [&state](TextFile& file) {
    for (const std::string& name : state.configFiles) {
      if (!HoldsLineBreakOrZero(name)) file.WriteLine(name);
    }
  });
  if (error != 0) {
    state.messages.push_back(SaveFailureMessage(kStateFileName, error));
    return false;
  }
  // The page drawn next offers the file as it now stands.
  ReadContentId(kStateFileName, state.stateVersion);
  return true;
}
