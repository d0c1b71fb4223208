// The lines two versions of a file differ by, as unified hunks with three lines of context.
#pragma once

#include <string_view>
#include <vector>

struct DiffLine {
  char sign;       // ' ' context, '-' removed, '+' added
  long oldNumber;  // the line's number in the version before; 0 for an added line
  long newNumber;  // in the version after; 0 for a removed line
  std::string_view text;
};

struct DiffHunk {
  long oldStart = 0;
  long oldCount = 0;
  long newStart = 0;
  long newCount = 0;
  std::vector<DiffLine> lines;
};

struct LineDiff {
  std::vector<DiffHunk> hunks;
  long added = 0;
  long removed = 0;
};

// The lines of `text`, each without its LF; a final LF ends the last line.
std::vector<std::string_view> SplitLines(std::string_view text);

// The difference from `before` to `after`, both views into texts that outlive it.
LineDiff DiffLines(std::string_view before, std::string_view after);
