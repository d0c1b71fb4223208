// The manage configurations page. Not built yet: filled in by its subsystem.
#include "configs/manage_configs_page.h"

void RenderManageConfigsPage(PageWriter&, const AppState&) {}
