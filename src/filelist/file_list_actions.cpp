// The file list actions: each loads the named list, changes it and saves it.
#include "filelist/file_list_actions.h"

#include <unordered_set>
#include <vector>

#include "app/app_state.h"
#include "filelist/file_list_name.h"
#include "filelist/folder_scan.h"
#include "fileio/line_safety.h"
#include "fileio/text_file.h"
#include "history/version_guard.h"

namespace {

// A field of the add form that becomes a folder path or address of the list,
// ending in "/"; none when missing, empty, or holding a CR, an LF or a zero byte.
std::optional<std::string> ReadFolderField(const FormData& form, const std::string& name) {
  std::string value;
  if (!GetField(form, name, value) || value.empty() || HoldsLineBreakOrZero(value)) {
    return std::nullopt;
  }
  if (value.back() != '/') value += '/';
  return value;
}

// Every action but "chdir" works on the list and folder that its form names.
// Only the file list of the current configuration may be written, and only
// where the utility may write one: any other name is refused, with the
// message, and not taken.
bool TakeListFields(AppState& state) {
  GetField(state.form, "curdir", state.browseDir);
  std::string name;
  GetField(state.form, "fname", name);
  LoadSearchConfig(state, state.currentConfig);
  if (name != state.searchConfig.FILELIST ||
      CheckFileListName(state, name) != FileListName::kWritable) {
    state.messages.push_back("Error creating file " + name);
    return false;
  }
  state.fileListName = name;
  return true;
}

bool LoadList(AppState& state) {
  if (!TakeListFields(state)) return false;
  state.fileList.Load(state, state.fileListName);
  return true;
}

// Removals name rows of the list as the page drew it, so they go ahead only
// when the list is the one the page showed. A form without its version cannot
// show that and is refused too.
bool ListIsAsShown(AppState& state) {
  return PostedVersionIsCurrent(state, state.fileListName);
}

// The page then shows what the file holds: the new list, or the old one when
// the save failed.
void SaveList(AppState& state) {
  if (const int error = state.fileList.Save(state, state.fileListName); error != 0) {
    state.messages.push_back(SaveFailureMessage(state.fileListName, error));
  }
}

// The decimal number at the start of a "del" value, leading white space and
// sign allowed; 0 when there is none.
int RowNumber(const std::string& value) {
  int number = 0;
  ParseWholeInt(value, number);
  return number;
}

void AddFolder(AppState& state, int kind) {
  if (!LoadList(state)) return;
  const std::optional<AddFields> fields = ReadAddFields(state.form);
  if (!fields || ListContains(state.fileList, fields->folder, true)) return;
  state.fileList.Insert({fields->folder, fields->virtualPath, kind});
  SaveList(state);
}

// Adds one file entry for every name not yet in the list, in the order given,
// and saves the list when at least one was added. A name that would break the
// file list's lines is skipped.
void AddFiles(AppState& state, const AddFields& fields, const std::vector<std::string>& names) {
  FileList::Entries added;
  std::unordered_set<std::string> addedPaths;
  for (const std::string& name : names) {
    std::string path = fields.folder + name;
    if (HoldsLineBreakOrZero(name) || ListContains(state.fileList, path, false) ||
        !addedPaths.insert(path).second) {
      continue;
    }
    added.push_back({std::move(path), fields.virtualPath + name, kKindFile});
  }
  if (added.empty()) return;
  state.fileList.InsertAll(std::move(added));
  SaveList(state);
}

}  // namespace

std::optional<AddFields> ReadAddFields(const FormData& form) {
  std::optional<std::string> folder = ReadFolderField(form, "curdir");
  std::optional<std::string> virtualPath = ReadFolderField(form, "rempath");
  if (!folder || !virtualPath) return std::nullopt;
  return AddFields{std::move(*folder), std::move(*virtualPath)};
}

bool ListContains(const FileList& list, const std::string& path, bool folderKinds) {
  const auto [first, last] = list.WithPath(path);
  for (auto entry = first; entry != last; ++entry) {
    if ((entry->kind != kKindFile) == folderKinds) return true;
  }
  return false;
}

void ChangeDirectory(AppState& state) {
  GetField(state.form, "fname", state.fileListName);
  GetField(state.form, "dirlist", state.browseDir);
}

void DeleteChecked(AppState& state) {
  if (!LoadList(state) || !ListIsAsShown(state)) return;
  std::vector<int> rows;
  for (const std::string& value : AllValues(state.form, "del")) rows.push_back(RowNumber(value));
  state.fileList.RemoveRows(rows);
  SaveList(state);
}

void DeleteAll(AppState& state) {
  if (!LoadList(state) || !ListIsAsShown(state)) return;
  state.fileList.Clear();
  SaveList(state);
}

void AddDirectory(AppState& state) { AddFolder(state, kKindDir); }

void AddDirectoryTree(AppState& state) { AddFolder(state, kKindTree); }

void AddDirectoryFiles(AppState& state) {
  if (!LoadList(state)) return;
  const std::optional<AddFields> fields = ReadAddFields(state.form);
  if (fields) AddFiles(state, *fields, ScanFolder(fields->folder).files);
}

void AddSelectedFiles(AppState& state) {
  if (!LoadList(state)) return;
  const std::optional<AddFields> fields = ReadAddFields(state.form);
  if (fields) AddFiles(state, *fields, AllValues(state.form, "files"));
}
