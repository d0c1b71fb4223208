// The file list actions: each loads the named list, changes it and saves it.
#include "filelist/file_list_actions.h"

#include <string>
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

// Saves the list and, when it was written, says how many entries the action
// added or removed ("added", "removed").
void SaveList(AppState& state, std::size_t count, const char* change) {
  if (const int error = state.fileList.Save(state, state.fileListName); error != 0) {
    // The page then shows what the file holds: the old list.
    state.messages.push_back(SaveFailureMessage(state.fileListName, error));
    return;
  }
  state.messages.push_back(std::to_string(count) + (count == 1 ? " entry " : " entries ") +
                           change);
}

// Whether a folder tree entry of the list already takes in `folder` (ending in
// "/"): one for the folder itself or for a folder above it, written with or
// without its final slash.
bool CoveredByTree(const FileList& list, const std::string& folder) {
  for (std::size_t slash = folder.find('/'); slash != std::string::npos;
       slash = folder.find('/', slash + 1)) {
    for (const std::size_t length : {slash, slash + 1}) {
      const auto [first, last] = list.WithPath(folder.substr(0, length));
      for (auto entry = first; entry != last; ++entry) {
        if (entry->kind == kKindTree) return true;
      }
    }
  }
  return false;
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
  if (!fields) return;
  if (ListContains(state.fileList, fields->folder, true) ||
      CoveredByTree(state.fileList, fields->folder)) {
    state.messages.push_back("Nothing was added: " + fields->folder + " is already in the list");
    return;
  }
  state.fileList.Insert({fields->folder, fields->virtualPath, kind});
  SaveList(state, 1, "added");
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
  const std::size_t count = added.size();
  if (count == 0) {
    state.messages.push_back("0 entries added");
    return;
  }
  state.fileList.InsertAll(std::move(added));
  SaveList(state, count, "added");
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
  const std::size_t before = state.fileList.entries().size();
  state.fileList.RemoveRows(rows);
  SaveList(state, before - state.fileList.entries().size(), "removed");
}

void DeleteAll(AppState& state) {
  if (!LoadList(state) || !ListIsAsShown(state)) return;
  const std::size_t count = state.fileList.entries().size();
  state.fileList.Clear();
  SaveList(state, count, "removed");
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
