// The page "history": the recorded changes, newest first, 50 a page.
#pragma once

#include "html/page_writer.h"

struct AppState;

// "from=SEQ" starts the page at change SEQ and older; "file=NAME" shows only
// that file's changes.
void RenderHistoryPage(PageWriter& out, const AppState& state);
