// FNV-1a over the lines of a file list.
#include "filelist/list_fingerprint.h"

namespace {

constexpr std::uint64_t kFnvPrime = 1099511628211ULL;

std::uint64_t AddByte(std::uint64_t hash, unsigned char byte) {
  return (hash ^ byte) * kFnvPrime;
}

}  // namespace

void ListFingerprint::AddLine(std::string_view line) {
  std::uint64_t hash = hash_;
  for (const char c : line) hash = AddByte(hash, static_cast<unsigned char>(c));
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
