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

// The content of version `id` of `file`: kept in the history, or the file
// itself while it still has that content; an empty text for kNoContent.
bool ReadChangeContent(const ChangeHistory& history, const std::string& id,
                       const std::string& file, std::string& content);
