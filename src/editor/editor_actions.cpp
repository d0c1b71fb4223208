// The editor actions. Not built yet: filled in by its subsystem.
#include "editor/editor_actions.h"

void SelectEditFile(AppState&) {}
void SaveEditFile(AppState&) {}
