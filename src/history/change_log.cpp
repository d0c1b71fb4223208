// Writing and reading the change log's lines.
#include "history/change_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <cstdio>

#include "cgi/form_data.h"
#include "cgi/url_decode.h"

namespace {

constexpr char kSeparator = '\t';
constexpr std::size_t kFieldCount = 8;
// The end of the log read to find its last line: far longer than any line.
constexpr off_t kTailBytes = 64 * 1024;

bool NeedsEscape(unsigned char byte) { return byte < 0x21 || byte == 0x7F || byte == '%'; }


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
      std::to_string(change.sequence), change.time,         EscapeLogField(change.user),
      EscapeLogField(change.address),     EscapeLogField(change.action), EscapeLogField(change.file),
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

// A text field; "-" stands for an empty one, so that no field is ever empty.
std::string EscapeLogField(std::string_view text) {
  return text.empty() ? std::string("-") : PercentEncode(text, NeedsEscape);
}

std::string_view LogField(std::string_view line, int index) {
  std::size_t start = 0;
  for (int skipped = 0; skipped < index; ++skipped) {
    start = line.find(kSeparator, start);
    if (start == std::string_view::npos) return {};
    ++start;
  }
  return line.substr(start, line.find(kSeparator, start) - start);
}

void VisitNewestFirst(std::string_view text,
                      const std::function<bool(std::string_view)>& visit) {
  std::size_t end = text.size();
  while (end > 0) {
    const std::size_t lineEnd = text[end - 1] == '\n' ? end - 1 : end;
    const void* feed = memrchr(text.data(), '\n', lineEnd);
    const std::size_t first =
        feed == nullptr ? 0 : static_cast<std::size_t>(static_cast<const char*>(feed) - text.data()) + 1;
    if (lineEnd > first && !visit(text.substr(first, lineEnd - first))) return;
    end = first;
  }
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
