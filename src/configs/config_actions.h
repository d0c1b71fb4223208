// Selecting, copying and forgetting configuration files.
#pragma once

struct AppState;

void SelectConfig(AppState& state);  // "selini"
void CopyConfig(AppState& state);    // "copyini"
void DeleteConfig(AppState& state);  // "delini"
