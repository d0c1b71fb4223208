// Writing and reading the change log's lines.
#include "history/change_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>

#include "cgi/form_data.h"
#include "cgi/url_decode.h"
#include "fileio/text_file.h"

namespace {

constexpr char kSeparator = '\t';
constexpr std::size_t kFieldCount = 8;
// The end of the log read to find its last line: far longer than any line.
constexpr off_t kTailBytes = 64 * 1024;

bool NeedsEscape(unsigned char byte) { return byte < 0x21 || byte == 0x7F || byte == '%'; }

// A text field; "-" stands for an empty one, so that no field is ever empty.
std::string EscapeField(std::string_view text) {
  return text.empty() ? std::string("-") : PercentEncode(text, NeedsEscape);
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  for (std::size_t at; (at = line.find(kSeparator, start)) != std::string_view::npos;
       start = at + 1) {
    fields.push_back(line.substr(start, at - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

}  // namespace

std::string FormatChange(const Change& change) {
  const std::array<std::string, kFieldCount> fields = {
      std::to_string(change.sequence), change.time,         EscapeField(change.user),
      EscapeField(change.address),     EscapeField(change.action), EscapeField(change.file),
      change.before,                   change.after};
  std::string line;
  for (const std::string& field : fields) {
    if (!line.empty()) line += kSeparator;
    line += field;
  }
  return line;
}

bool ParseChange(std::string_view line, Change& change) {
  const std::vector<std::string_view> fields = SplitFields(line);
  int sequence = 0;
  if (fields.size() != kFieldCount || ParseWholeInt(std::string(fields[0]), sequence) != 0 ||
      sequence <= 0) {
    return false;
  }
  change.sequence = sequence;
  change.time = std::string(fields[1]);
  change.user = PercentDecode(fields[2]);
  change.address = PercentDecode(fields[3]);
  change.action = PercentDecode(fields[4]);
  change.file = PercentDecode(fields[5]);
  change.before = std::string(fields[6]);
  change.after = std::string(fields[7]);
  return true;
}

std::vector<Change> ReadChanges(const std::string& path) {
  std::vector<Change> changes;
  TextFile log;
  log.SetPath(path);
  log.OpenRead();
  std::string line;
  Change change;
  while (TakeFileError() == 0 && !log.AtEnd()) {
    log.ReadLine(line);
    if (ParseChange(line, change)) changes.push_back(change);
  }
  log.Close();
  TakeFileError();
  return changes;
}

long LastSequence(const std::string& path) {
  const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return 0;
  struct stat status;
  std::string tail;
  if (fstat(descriptor, &status) == 0) {
    const off_t start = status.st_size > kTailBytes ? status.st_size - kTailBytes : 0;
    tail.resize(static_cast<std::size_t>(status.st_size - start));
    const ssize_t count = pread(descriptor, tail.data(), tail.size(), start);
    tail.resize(count > 0 ? static_cast<std::size_t>(count) : 0);
  }
  close(descriptor);
  while (!tail.empty() && tail.back() == '\n') tail.pop_back();
  const std::size_t lineStart = tail.rfind('\n');
  Change last;
  const std::string_view line = std::string_view(tail).substr(
      lineStart == std::string::npos ? 0 : lineStart + 1);
  return ParseChange(line, last) ? last.sequence : 0;
}
