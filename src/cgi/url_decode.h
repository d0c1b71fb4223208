// Percent-decoding of form values and configuration values.
#pragma once

#include <string>

// The number spelled by the hexadecimal digits of `text`; other bytes are skipped.
int HexDigitsValue(const std::string& text);

// "+" becomes a blank, "%XX" the byte it spells; malformed escapes pass literally.
std::string UrlDecode(const std::string& text);
