// Pieces that several pages share: the selected configuration, the main menu link, form starts.
#pragma once

#include <string_view>

#include "html/page_writer.h"

// " <font ...>Currently selected configuration file:</font> <b>" config "</b>\n"
void WriteSelectedConfig(PageWriter& out, std::string_view currentConfig);
// " <a href=\"" program "?target=main\"><b>Return to Main Menu</b></a>\n"
void WriteMainMenuLink(PageWriter& out, std::string_view programName);
// "<form name=\"" name "\" action=\"" program anchor "\" method=\"POST\"
// onSubmit=\"return false;\">\n": a form that only its script submits.
void WriteScriptedFormStart(PageWriter& out, std::string_view name,
                            std::string_view programName, std::string_view anchor = "");
// " onKeyDown=..." for a text field: Enter in the field runs `function`()
// instead of submitting the form.
void WriteEnterRuns(PageWriter& out, std::string_view function);
// "<form action=\"" program "\" method=\"POST\">\n": a form its buttons submit.
void WritePlainFormStart(PageWriter& out, std::string_view programName);
