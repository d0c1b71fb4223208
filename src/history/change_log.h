// The change history's log: one line per change, TAB-separated, appended.
#pragma once

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

// Every change in the log at `path`, oldest first; none when there is no log.
std::vector<Change> ReadChanges(const std::string& path);

// The sequence number of the log's last line; 0 for an empty or missing log.
long LastSequence(const std::string& path);
