// The action table: runs the action named by the form field act.
#pragma once

struct AppState;

// Runs the first action whose name equals act exactly; nothing when absent or unknown.
void PerformAction(AppState& state);
