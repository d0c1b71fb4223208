// The action table: runs the action named by the form field act.
#pragma once

#include <string>

struct AppState;

// Whether act names an action that changes files and the request may run it:
// such a request must hold the lock while it runs.
bool RequestsFileChange(const AppState& state);

// Runs the first action whose name equals act exactly; nothing when absent or unknown.
// An action sent from another site or to a host not allowed, or one that writes files
// sent without POST, does not run: a message says it was ignored.
void PerformAction(AppState& state);

// What the change history says the action `act` did ("Saved search defaults").
const char* ActionWords(const std::string& act);
