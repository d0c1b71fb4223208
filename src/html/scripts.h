// Script blocks of the main menu, configuration management and editor pages.
#pragma once

#include "html/page_writer.h"

struct AppState;

// fselini(): submits the form selini when another configuration was chosen.
void WriteConfigSelectorScript(PageWriter& out, const AppState& state);
// fcopyini() and fdelini() of the form mconf.
void WriteConfigManagementScript(PageWriter& out, const AppState& state);
// fguardleaving(formName, changed): from then on, leaving the page while
// changed(form) holds asks first, unless the page's own save set fsaving.
// Written inside a page's script block.
void WriteLeaveGuard(PageWriter& out);
// feditor(target): submits the form editor towards the given page; leaving
// the page otherwise with the text changed asks first.
void WriteEditorScript(PageWriter& out, const AppState& state);
