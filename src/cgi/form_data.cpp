// Lookups of request fields and the whole-integer parser.
#include "cgi/form_data.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

bool GetField(const FormData& form, const std::string& name, std::string& value) {
  const auto found = form.find(name);
  if (found == form.end()) return false;
  value = found->second;
  return true;
}

int ParseWholeInt(const std::string& text, int& number) {
  // Like "%d": only the text before its first zero byte counts.
  const char* start = text.c_str();
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(start, &end, 10);
  if (end == start) return 1;
  // Out-of-range numbers saturate at the limits of a 32-bit int.
  if (value > INT_MAX) {
    number = INT_MAX;
  } else if (value < INT_MIN) {
    number = INT_MIN;
  } else {
    number = static_cast<int>(value);
  }
  if (static_cast<std::size_t>(end - start) == text.size()) return 0;
  return static_cast<int>(end - start) + 1;
}

bool GetIntField(const FormData& form, const std::string& name, int& number) {
  std::string value;
  if (!GetField(form, name, value)) return false;
  return ParseWholeInt(value, number) == 0;
}

std::vector<std::string> AllValues(const FormData& form, const std::string& name) {
  std::vector<std::string> values;
  const auto range = form.equal_range(name);
  for (auto it = range.first; it != range.second; ++it) values.push_back(it->second);
  return values;
}
