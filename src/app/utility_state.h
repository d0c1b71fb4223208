// The utility's own state file "tvqconf.dat": the known configurations, selected first.
#pragma once

#include <string>

struct AppState;

// The state file, in the program's folder.
extern const char kStateFileName[];

void LoadUtilityState(AppState& state);
// Writes the known configurations; false, with the message, when the file could not be replaced.
bool SaveUtilityState(AppState& state);

// Whether the named configuration may be kept in the list: the real user of the
// process may read and write it. False for an empty name or one holding a zero byte, CR or LF.
bool MayUseConfig(const std::string& name);

// Whether the name is one of the known configurations (state.configFiles),
// compared whole and case-sensitively.
bool IsKnownConfig(const AppState& state, const std::string& name);
