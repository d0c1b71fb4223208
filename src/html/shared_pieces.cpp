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

void WriteScriptedFormStart(PageWriter& out, std::string_view name,
                            std::string_view programName, std::string_view anchor) {
  out.WriteString("<form name=\"").WriteString(name).WriteString("\" action=\"");
  out.WriteValue(programName).WriteString(anchor);
  out.WriteString("\" method=\"POST\" onSubmit=\"return false;\">\n");
}

void WriteEnterRuns(PageWriter& out, std::string_view function) {
  out.WriteString(" onKeyDown=\"if (event.key == 'Enter') { ").WriteString(function);
  out.WriteString("(); return false; }\"");
}

void WritePlainFormStart(PageWriter& out, std::string_view programName) {
  out.WriteString("<form action=\"").WriteValue(programName);
  out.WriteString("\" method=\"POST\">\n");
}
