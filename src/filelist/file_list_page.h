// The file list page (target "flist"): directory browser, entries and their scripts.
#pragma once

#include "html/page_writer.h"

struct AppState;

void WriteFileListScript(PageWriter& out, const AppState& state);
void RenderFileListPage(PageWriter& out, const AppState& state);
void WriteFileValuesScript(PageWriter& out, const AppState& state);
