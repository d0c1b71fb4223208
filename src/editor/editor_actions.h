// The editor's actions: open a file and save it back.
#pragma once

struct AppState;

void SelectEditFile(AppState& state);  // "editfile"
void SaveEditFile(AppState& state);    // "save"
