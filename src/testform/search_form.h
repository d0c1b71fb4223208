// The sample search form: its generator and the action that saves it.
#pragma once

struct AppState;

void SaveSearchForm(AppState& state);  // "saveform"
