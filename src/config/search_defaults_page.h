// The search defaults page (target "sdef"): the form editdef and its scripts.
#pragma once

#include "html/page_writer.h"

struct AppState;

// Head script: feditdef() lists the changes and asks before posting.
void WriteSearchDefaultsScript(PageWriter& out, const AppState& state);
void RenderSearchDefaultsPage(PageWriter& out, const AppState& state);
// Closing script: gives every language option its text as value.
void WriteLanguageValuesScript(PageWriter& out, const AppState& state);
