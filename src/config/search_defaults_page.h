// The search defaults page (target "sdef"): the form editdef and its script.
#pragma once

#include "html/page_writer.h"

struct AppState;

// Head script: feditdef() lists the changes and asks before posting.
void WriteSearchDefaultsScript(PageWriter& out, const AppState& state);
void RenderSearchDefaultsPage(PageWriter& out, const AppState& state);
