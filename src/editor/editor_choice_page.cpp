// The editor file choice page. Not built yet: filled in by its subsystem.
#include "editor/editor_choice_page.h"

void RenderEditorChoicePage(PageWriter&, const AppState&) {}
