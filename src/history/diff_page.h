// The page "histdiff": what change seq=N changed, as a unified diff.
#pragma once

#include "html/page_writer.h"

struct AppState;

void RenderDiffPage(PageWriter& out, const AppState& state);
