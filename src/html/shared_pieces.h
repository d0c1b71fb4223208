// Lines that several pages share: the selected configuration and the main menu link.
#pragma once

#include <string_view>

#include "html/page_writer.h"

// " <font ...>Currently selected configuration file:</font> <b>" config "</b>\n"
void WriteSelectedConfig(PageWriter& out, std::string_view currentConfig);
// " <a href=\"" program "?target=main\"><b>Return to Main Menu</b></a>\n"
void WriteMainMenuLink(PageWriter& out, std::string_view programName);
