// The action "setdefs": writes the checked search options to a configuration file.
#pragma once

struct AppState;

void SaveSearchDefaults(AppState& state);
