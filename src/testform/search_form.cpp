// The sample search form. Not built yet: filled in by its subsystem.
#include "testform/search_form.h"

void SaveSearchForm(AppState&) {}
