// The editor page. Not built yet: filled in by its subsystem.
#include "editor/editor_page.h"

void RenderEditorPage(PageWriter&, const AppState&) {}
