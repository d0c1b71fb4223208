// The page "testform": the sample search form, live, and the button that saves it.
#pragma once

#include "html/page_writer.h"

struct AppState;

void RenderTestFormPage(PageWriter& out, const AppState& state);
