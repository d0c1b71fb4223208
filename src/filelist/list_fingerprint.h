// A hash of a file list's lines as read, which tells a removal whether the list changed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The hidden field of the removal forms that carries the fingerprint of the
// list as the page drew it.
constexpr char kFingerprintField[] = "listsum";

// A 64-bit hash in the manner of FNV-1a over every line read, each followed by
// an LF, taken eight bytes at a time where a line has them.
class ListFingerprint {
 public:
  void AddLine(std::string_view line);
  // The hash as 16 lower-case hex digits.
  std::string Text() const;

 private:
  std::uint64_t hash_ = 14695981039346656037ULL;
};
