// The actions of the file list page: browse, add and remove entries.
#pragma once

#include <optional>
#include <string>

#include "cgi/form_data.h"

struct AppState;
class FileList;

void ChangeDirectory(AppState& state);     // "chdir"
void DeleteChecked(AppState& state);       // "delchk"
void DeleteAll(AppState& state);           // "delall"
void AddDirectory(AppState& state);        // "adddir1"
void AddDirectoryTree(AppState& state);    // "adddir3"
void AddDirectoryFiles(AppState& state);   // "adddir2"
void AddSelectedFiles(AppState& state);    // "addfiles"

// The folder to add from and the virtual path it is published under, each
// ending in "/".
struct AddFields {
  std::string folder;
  std::string virtualPath;
};

// The fields "curdir" and "rempath"; none when either is missing or empty, or
// holds a CR, an LF or a zero byte.
std::optional<AddFields> ReadAddFields(const FormData& form);

// Whether `list` holds an entry with exactly this path among the single files
// (folderKinds false) or among the folders and folder trees (true).
bool ListContains(const FileList& list, const std::string& path, bool folderKinds);
