// The two escapers: one for values written into page markup, one for alert strings.
#pragma once

#include <string>
#include <string_view>

// & < > " become &amp; &lt; &gt; &quot;; every other byte is kept.
std::string EscapeMarkup(std::string_view text);

// For a message inside alert('...'): ' becomes ", \ is doubled, < becomes \x3C,
// LF \n, CR \r, other bytes below 0x20 \xHH (upper-case hex).
std::string EscapeAlert(std::string_view text);
