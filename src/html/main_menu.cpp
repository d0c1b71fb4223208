// The main menu page. Not built yet: filled in by its subsystem.
#include "html/main_menu.h"

void RenderMainMenuPage(PageWriter&, const AppState&) {}
