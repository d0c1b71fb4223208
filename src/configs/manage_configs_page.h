// The page "mconf": copy a configuration or remove one from the list.
#pragma once

#include "html/page_writer.h"

struct AppState;

void RenderManageConfigsPage(PageWriter& out, const AppState& state);
