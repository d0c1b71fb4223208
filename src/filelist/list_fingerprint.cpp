// A hash of the lines of a file list in the manner of FNV-1a, taken a word at a time.
#include "filelist/list_fingerprint.h"

#include <cstring>

namespace {

constexpr std::uint64_t kFnvPrime = 1099511628211ULL;

std::uint64_t AddByte(std::uint64_t hash, unsigned char byte) {
  return (hash ^ byte) * kFnvPrime;
}

// A product carries each bit of a word only upwards; the rotation brings the
// high bits down, so that the next steps spread them over the whole hash.
std::uint64_t AddWord(std::uint64_t hash, std::uint64_t word) {
  const std::uint64_t product = (hash ^ word) * kFnvPrime;
  return product << 31 | product >> 33;
}

}  // namespace

// Eight bytes at a time where a line has them: a list is hashed on every load.
void ListFingerprint::AddLine(std::string_view line) {
  std::uint64_t hash = hash_;
  std::size_t at = 0;
  for (; line.size() - at >= sizeof(std::uint64_t); at += sizeof(std::uint64_t)) {
    std::uint64_t word;
    std::memcpy(&word, line.data() + at, sizeof word);
    hash = AddWord(hash, word);
  }
  for (; at < line.size(); ++at) hash = AddByte(hash, static_cast<unsigned char>(line[at]));
  hash_ = AddByte(hash, '\n');
}

std::string ListFingerprint::Text() const {
  static const char kDigits[] = "0123456789abcdef";
  std::string text(16, '0');
  std::uint64_t rest = hash_;
  for (auto digit = text.rbegin(); digit != text.rend(); ++digit, rest >>= 4) {
    *digit = kDigits[rest & 0xF];
  }
  return text;
}
