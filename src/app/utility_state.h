// The utility's own state file "tvqconf.dat": the known configurations, selected first.
#pragma once

struct AppState;

void LoadUtilityState(AppState& state);
void SaveUtilityState(const AppState& state);
