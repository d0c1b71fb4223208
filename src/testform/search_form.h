// The sample search form: its generator and the action that saves it.
#pragma once

#include <optional>
#include <string>

#include "html/page_writer.h"

struct AppState;

// The file "saveform" writes, in the program's folder.
extern const char kSavedFormName[];

// The engine's address, derived from the utility's own SCRIPT_NAME: the first
// "/tovimarqdata/tvqconf" becomes "/tovimarq"; without it, "../tovimarq".
std::string EngineUrl(const std::optional<std::string>& scriptName);

// One table row holding the search form that posts to the engine with the
// selected configuration, its controls set to the loaded configuration's
// values (state.searchConfig); newWindow opens the results in a new window.
std::string BuildSearchForm(const AppState& state, bool newWindow);
// The same row written into a page, its values through the page's escaper.
void WriteSearchForm(PageWriter& out, const AppState& state, bool newWindow);

// "saveform": the form of the selected configuration, saved as a page.
void SaveSearchForm(AppState& state);
