// The action "restore": a file written back as it was before a recorded change.
#pragma once

struct AppState;

// Restores the file of change `seq` to its version before that change, through
// the usual replacement, so that the restore is a change of its own.
void RestoreVersion(AppState& state);
