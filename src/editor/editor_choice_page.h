// The page "redit": the four editable files of the selected configuration.
#pragma once

#include "html/page_writer.h"

struct AppState;

void RenderEditorChoicePage(PageWriter& out, const AppState& state);
