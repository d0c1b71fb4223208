// The two escapers: one for values written into page markup, one for alert strings.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The longest text one byte becomes in markup ("&quot;").
constexpr std::size_t kMaxEscapedByteSize = 6;

// Writes `text` escaped for markup to `out`, which must have room for
// kMaxEscapedByteSize bytes per byte of text; returns the end of what was written.
char* EscapeMarkupTo(char* out, std::string_view text);

// & < > " become &amp; &lt; &gt; &quot;; every other byte is kept.
std::string EscapeMarkup(std::string_view text);

// For a message inside alert('...'): ' becomes ", \ is doubled, < becomes \x3C,
// LF \n, CR \r, other bytes below 0x20 \xHH (upper-case hex).
std::string EscapeAlert(std::string_view text);
