// The page "editor": one file in an escaped text area.
#pragma once

#include "html/page_writer.h"

struct AppState;

void RenderEditorPage(PageWriter& out, const AppState& state);
