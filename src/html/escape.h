// The two escapers: one for values written into page markup, one for alert strings.
#pragma once

#include <string>
#include <string_view>

// Entity for a byte that markup needs escaped, or nullptr for any other byte.
inline const char* MarkupEntity(char byte) {
  switch (byte) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    default: return nullptr;
  }
}

// Hands the escaped text to `emit` piece by piece (runs of kept bytes and
// entities), so a writer can escape without building a copy.
template <typename Emit>
void EmitEscapedMarkup(std::string_view text, Emit&& emit) {
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char* entity = MarkupEntity(text[i]);
    if (entity == nullptr) continue;
    if (i > runStart) emit(text.substr(runStart, i - runStart));
    emit(std::string_view(entity));
    runStart = i + 1;
  }
  if (runStart < text.size()) emit(text.substr(runStart));
}

// & < > " become &amp; &lt; &gt; &quot;; every other byte is kept.
std::string EscapeMarkup(std::string_view text);

// For a message inside alert('...'): ' becomes ", \ is doubled, < becomes \x3C,
// LF \n, CR \r, other bytes below 0x20 \xHH (upper-case hex).
std::string EscapeAlert(std::string_view text);
