// The utility state file. Not built yet: filled in by its subsystem.
#include "app/utility_state.h"

void LoadUtilityState(AppState&) {}
void SaveUtilityState(const AppState&) {}
