// Percent-decoding of form values and configuration values.
#pragma once

#include <string>
#include <string_view>

// The number spelled by the hexadecimal digits of `text`; other bytes are skipped.
int HexDigitsValue(const std::string& text);

// "+" becomes a blank, "%XX" the byte it spells; malformed escapes pass literally.
std::string UrlDecode(const std::string& text);

// The same without the blanks: only "%XX" is decoded.
std::string PercentDecode(std::string_view text);

// Every byte for which `escaped` holds written as "%XX" (upper-case hex).
std::string PercentEncode(std::string_view text, bool (*escaped)(unsigned char));

// The text that UrlDecode turns back into `text`: "%" and "+" escaped, every
// other byte kept.
std::string ProtectFromUrlDecode(std::string_view text);

// `text` as a query value: every byte but letters, digits and "-._~" as "%XX".
std::string UrlEncode(std::string_view text);
