// Output operations shared by every page: raw markup, escaped values, frame pieces.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

class PageWriter {
 public:
  explicit PageWriter(std::ostream& out) : out_(out) {}

  // Fixed markup of the program, written byte for byte (zero bytes included).
  PageWriter& WriteString(std::string_view markup);
  // A value from the request, the state or a file, escaped for markup.
  PageWriter& WriteValue(std::string_view value);
  // A number in decimal.
  PageWriter& WriteNumber(long number);

  // CGI header and document head up to the title.
  void WriteDocumentStart(std::string_view title);
  // Body start, password warning, alert block and the heading row of the table.
  // The heading is markup of the program; headingValue, when given, is a value
  // appended to it escaped (the editor's file name).
  void WritePageHeader(std::string_view heading, std::string_view headingValue,
                       int columns, bool passwordProtected,
                       const std::vector<std::string>& messages);
  void WritePageEnd();

  // "<script language=...><!--\n" and "//--></script>\n" around a script block.
  void WriteScriptStart();
  void WriteScriptEnd();

 private:
  std::ostream& out_;
};
