// Byte rules shared by the configuration reader, page and writer.
#pragma once

#include <string>
#include <string_view>

// Copy of text with the bytes a-z raised to A-Z; every other byte stays.
std::string ToUpperAscii(std::string_view text);

// Whether text holds a CR, an LF or a zero byte, so that written as a line of
// a file it would split or cut the line, or as a file name it would not name
// the file the user saw.
bool HoldsLineBreakOrZero(std::string_view text);
