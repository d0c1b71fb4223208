// The file list page (target "flist"): directory browser, entries and their scripts.
#pragma once

#include <string_view>

#include "html/page_writer.h"

struct AppState;

// Before the page is drawn: the configuration, the file list's name when
// none was posted, the folder to browse (always an existing one) and the list.
void PrepareFileListPage(AppState& state);

// Head script: the functions that check and submit the page's forms.
void WriteFileListScript(PageWriter& out, const AppState& state);
void RenderFileListPage(PageWriter& out, const AppState& state);
// Closing script: an empty virtual path field gets what was last typed for the
// browsed folder in this browser.
void WriteVirtualPathScript(PageWriter& out, const AppState& state);

// Writes `text` as a value with a "<wbr>" line break hint after a separator
// ("/" or "\", not the last byte), at most one in every 25 bytes of the text.
void InsertBreakHints(PageWriter& out, std::string_view text);
