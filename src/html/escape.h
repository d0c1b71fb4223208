// The two escapers: one for values written into page markup, one for alert strings.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The longest text one byte becomes in markup ("&quot;").
constexpr std::size_t kMaxEscapedByteSize = 6;

// The room that escaping `size` bytes needs: the longest text of every byte,
// and 8 bytes that the escaper may overwrite beyond the end of what it writes.
constexpr std::size_t EscapedRoom(std::size_t size) { return size * kMaxEscapedByteSize + 8; }

// Writes `text` escaped for markup to `out`, which must have EscapedRoom of the
// text's size; returns the end of what was written. Clears `utf8` when the text
// is not valid UTF-8 (and leaves it as it was otherwise), so that the page can
// name the character set that shows every value as it is.
char* EscapeMarkupTo(char* out, std::string_view text, bool& utf8);

// The same for the content of a text area, leaving out every LF that directly
// follows a CR: browsers read the CR as the line break and send CR LF back.
// Sets `control` when the text holds a control byte other than TAB, LF and CR.
char* EscapeTextAreaTo(char* out, std::string_view text, bool& control, bool& utf8);

// Whether the bytes are valid UTF-8: shortest forms only, no surrogates, nothing
// above U+10FFFF.
bool IsUtf8(std::string_view text);
// The length of the valid UTF-8 sequence at the start of `text`; 0 when none is there.
std::size_t Utf8SequenceLength(std::string_view text);

// & < > " become &amp; &lt; &gt; &quot;; every other byte is kept.
std::string EscapeMarkup(std::string_view text);

// For a message inside alert('...'): ' becomes ", \ is doubled, < becomes \x3C,
// LF \n, CR \r, other bytes below 0x20 \xHH (upper-case hex).
std::string EscapeAlert(std::string_view text);
