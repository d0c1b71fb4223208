// The byte tests that keep values from splitting lines of files or cutting file names.
#pragma once

#include <string_view>

// True when `text` holds a CR or an LF, which would split a line of a file.
inline bool HoldsLineBreak(std::string_view text) {
  // One search per byte value: each runs over the whole text at memchr's pace.
  return text.find('\r') != std::string_view::npos || text.find('\n') != std::string_view::npos;
}

// True when `text` holds a CR, an LF or a zero byte: such a text is neither
// written as (part of) a line nor handed to the file system as a name.
inline bool HoldsLineBreakOrZero(std::string_view text) {
  return HoldsLineBreak(text) || text.find('\0') != std::string_view::npos;
}
