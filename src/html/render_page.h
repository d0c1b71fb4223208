// Chooses the page named by target, prepares its data and writes the whole response.
#pragma once

#include "html/page_writer.h"

struct AppState;

void RenderPage(PageWriter& out, AppState& state);
