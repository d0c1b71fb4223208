// The change history's log: one line per change, TAB-separated, appended.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One line of the log: sequence number, UTC time ("2026-12-08T23:59:59Z"), user,
// client address, action, file name, content id before and after ("-": none).
struct Change {
  long sequence = 0;
  std::string time;
  std::string user;
  std::string address;
  std::string action;
  std::string file;
  std::string before;
  std::string after;
};

// The line of `change` without its LF. Bytes below 0x21, 0x7F and "%" in the
// text fields are written as "%XX", so a line always splits into its fields.
std::string FormatChange(const Change& change);

// The change a log line holds; false for a line that is not one.
bool ParseChange(std::string_view line, Change& change);

// A text field as FormatChange writes it, for comparing with a line's field.
std::string EscapeLogField(std::string_view text);

// Field `index` (0 to 7) of a log line as written; empty when it has fewer.
std::string_view LogField(std::string_view line, int index);

// Hands each non-empty line of a log's text to `visit`, newest first, until it
// returns false.
void VisitNewestFirst(std::string_view text, const std::function<bool(std::string_view)>& visit);

// The sequence number of the log's last line; 0 for an empty or missing log.
long LastSequence(const std::string& path);
