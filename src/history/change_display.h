// How the pages show recorded changes: times, the last change of a file, the size of a change.
#pragma once

#include <string>

#include "history/change_history.h"
#include "html/page_writer.h"

// "2026-12-08T23:59:59Z" as "2026-12-08 23:59:59".
std::string DisplayTime(const std::string& time);

// The line under a page's heading: "Last changed by USER on DATE (UTC) · History
// of this file", the last part a link to the file's changes; nothing when the
// history has no record of `file`.
void WriteLastChangeLine(PageWriter& out, const std::string& programName,
                         const std::string& file, int columns);

// The link to the changes of `file` ("?target=history&file=...").
void WriteFileHistoryHref(PageWriter& out, const std::string& programName,
                          const std::string& file);

// The contents of a file before and after a change.
struct ChangeTexts {
  std::string before;
  std::string after;
};

// Reads both versions of `change`: each kept in the history, or the file itself
// while it still has that content, or an empty text for kNoContent. False when
// one of them is no longer kept.
bool ReadChangeTexts(const ChangeHistory& history, const Change& change, ChangeTexts& texts);
