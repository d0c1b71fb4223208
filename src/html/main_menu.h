// The main menu page: the selected configuration, the selector and the menu links.
#pragma once

#include "html/page_writer.h"

struct AppState;

void RenderMainMenuPage(PageWriter& out, const AppState& state);
