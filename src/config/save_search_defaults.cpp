// Saves the search defaults. Not built yet: filled in by its subsystem.
#include "config/save_search_defaults.h"

void SaveSearchDefaults(AppState&) {}
