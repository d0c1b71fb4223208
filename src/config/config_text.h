// Letter case of configuration keys and keywords.
#pragma once

#include <string>
#include <string_view>

// Copy of text with the bytes a-z raised to A-Z; every other byte stays.
std::string ToUpperAscii(std::string_view text);
