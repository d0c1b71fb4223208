// The test search form page. Not built yet: filled in by its subsystem.
#include "testform/test_form_page.h"

void RenderTestFormPage(PageWriter&, const AppState&) {}
