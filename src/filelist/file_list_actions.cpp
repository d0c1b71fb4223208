// The file list actions. Not built yet: filled in by its subsystem.
#include "filelist/file_list_actions.h"

void ChangeDirectory(AppState&) {}
void DeleteChecked(AppState&) {}
void DeleteAll(AppState&) {}
void AddDirectory(AppState&) {}
void AddDirectoryTree(AppState&) {}
void AddDirectoryFiles(AppState&) {}
void AddSelectedFiles(AppState&) {}
