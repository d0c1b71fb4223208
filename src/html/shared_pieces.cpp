// The selected-configuration line and the main menu link shared by several pages.
#include "html/shared_pieces.h"

void WriteSelectedConfig(PageWriter& out, std::string_view currentConfig) {
  out.WriteString(
      " <font color=\"#800000\">Currently selected configuration file:</font> <b>");
  out.WriteValue(currentConfig).WriteString("</b>\n");
}

void WriteMainMenuLink(PageWriter& out, std::string_view programName) {
  out.WriteString(" <a href=\"").WriteValue(programName);
  out.WriteString("?target=main\"><b>Return to Main Menu</b></a>\n");
}
