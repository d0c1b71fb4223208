// The actions of the file list page: browse, add and remove entries.
#pragma once

struct AppState;

void ChangeDirectory(AppState& state);     // "chdir"
void DeleteChecked(AppState& state);       // "delchk"
void DeleteAll(AppState& state);           // "delall"
void AddDirectory(AppState& state);        // "adddir1"
void AddDirectoryTree(AppState& state);    // "adddir3"
void AddDirectoryFiles(AppState& state);   // "adddir2"
void AddSelectedFiles(AppState& state);    // "addfiles"
