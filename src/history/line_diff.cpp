// Line differences through the dtl library (Wu's O(NP) variant of Myers' algorithm).
#include "history/line_diff.h"

#include <dtl/dtl.hpp>

#include <algorithm>

namespace {

using Lines = std::vector<std::string_view>;
using Diff = dtl::Diff<std::string_view, Lines>;

constexpr long kContext = 3;
// Past this much work the changed middle is shown as removed whole and added
// whole: still a true difference, only not the shortest.
constexpr double kMostWork = 5e7;

// The lines from `first` of the whole, for the library, and how far it stands in.
struct Window {
  Lines lines;
  long offset;
};

Window WindowOf(const Lines& lines, long first, long last) {
  return {Lines(lines.begin() + first, lines.begin() + last), first};
}

DiffLine LineOf(const std::pair<std::string_view, dtl::elemInfo>& element, long oldOffset,
                long newOffset) {
  const dtl::elemInfo& info = element.second;
  switch (info.type) {
    case dtl::SES_ADD: return {'+', 0, static_cast<long>(info.afterIdx) + newOffset, element.first};
    case dtl::SES_DELETE:
      return {'-', static_cast<long>(info.beforeIdx) + oldOffset, 0, element.first};
    default:
      return {' ', static_cast<long>(info.beforeIdx) + oldOffset,
              static_cast<long>(info.afterIdx) + newOffset, element.first};
  }
}

// Adds the hunk with its "@@ -a,b +c,d @@" numbers taken from its lines, and
// counts its changed lines.
void AddHunk(LineDiff& diff, std::vector<DiffLine> lines) {
  DiffHunk hunk;
  for (const DiffLine& line : lines) {
    if (line.oldNumber > 0 && hunk.oldCount++ == 0) hunk.oldStart = line.oldNumber;
    if (line.newNumber > 0 && hunk.newCount++ == 0) hunk.newStart = line.newNumber;
    if (line.sign == '+') ++diff.added;
    if (line.sign == '-') ++diff.removed;
  }
  hunk.lines = std::move(lines);
  diff.hunks.push_back(std::move(hunk));
}

// The whole changed middle as one hunk: its context, every old line removed,
// every new line added, its context.
void AddWholeHunk(LineDiff& diff, const Lines& before, const Lines& after, long head,
                  long oldEnd, long newEnd) {
  std::vector<DiffLine> lines;
  for (long i = std::max(0L, head - kContext); i < head; ++i) {
    lines.push_back({' ', i + 1, i + 1, before[i]});
  }
  for (long i = head; i < oldEnd; ++i) lines.push_back({'-', i + 1, 0, before[i]});
  for (long i = head; i < newEnd; ++i) lines.push_back({'+', 0, i + 1, after[i]});
  const long shift = newEnd - oldEnd;
  const long stop = std::min(static_cast<long>(before.size()), oldEnd + kContext);
  for (long i = oldEnd; i < stop; ++i) lines.push_back({' ', i + 1, i + 1 + shift, before[i]});
  AddHunk(diff, std::move(lines));
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
  Lines lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

LineDiff DiffLines(std::string_view beforeText, std::string_view afterText) {
  const Lines before = SplitLines(beforeText);
  const Lines after = SplitLines(afterText);
  // The library sees only the changed middle and the context around it, so a
  // small change in a long file costs little.
  long head = 0;
  const long shorter = static_cast<long>(std::min(before.size(), after.size()));
  while (head < shorter && before[head] == after[head]) ++head;
  long tail = 0;
  while (tail < shorter - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
    ++tail;
  }
  const long oldEnd = static_cast<long>(before.size()) - tail;
  const long newEnd = static_cast<long>(after.size()) - tail;
  LineDiff diff;
  if (head == oldEnd && head == newEnd) return diff;
  const double oldMiddle = oldEnd - head;
  const double newMiddle = newEnd - head;
  if ((oldMiddle + newMiddle) * std::min(oldMiddle, newMiddle) > kMostWork) {
    AddWholeHunk(diff, before, after, head, oldEnd, newEnd);
    return diff;
  }
  const long first = std::max(0L, head - kContext);
  const Window oldWindow =
      WindowOf(before, first, std::min(static_cast<long>(before.size()), oldEnd + kContext));
  const Window newWindow =
      WindowOf(after, first, std::min(static_cast<long>(after.size()), newEnd + kContext));
  Diff library(oldWindow.lines, newWindow.lines);
  library.compose();
  library.composeUnifiedHunks();
  for (const auto& uniHunk : library.getUniHunks()) {
    std::vector<DiffLine> lines;
    for (const auto* part : {&uniHunk.common[0], &uniHunk.change, &uniHunk.common[1]}) {
      for (const auto& element : *part) {
        lines.push_back(LineOf(element, oldWindow.offset, newWindow.offset));
      }
    }
    AddHunk(diff, std::move(lines));
  }
  return diff;
}
