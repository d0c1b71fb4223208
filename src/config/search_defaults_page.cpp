// The search defaults page. Not built yet: filled in by its subsystem.
#include "config/search_defaults_page.h"

void WriteSearchDefaultsScript(PageWriter&, const AppState&) {}
void RenderSearchDefaultsPage(PageWriter&, const AppState&) {}
void WriteLanguageValuesScript(PageWriter&, const AppState&) {}
