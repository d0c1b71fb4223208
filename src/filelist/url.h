// Addresses of the file list: trimming, the URL test, normalisation and resolution.
#pragma once

#include <array>
#include <string>
#include <string_view>

// Byte to lower-case byte, for ASCII letters and the accented letters of the
// Western code page; every other byte maps to itself.
extern const std::array<unsigned char, 256> LowerCaseMap;

// The bytes written as a %XX escape in the path of an address.
extern const std::array<bool, 256> UrlEscapeSet;

// The text without its leading and trailing bytes 0x00-0x20.
std::string TrimBlanks(std::string_view text);

// Whether the text is an address with a scheme of 3 to 6 bytes ("http://",
// "gopher:\\"), other than a "file://" address.
bool IsUrl(std::string_view text);

// Drive paths become "file://" addresses; scheme and host are lower-cased, the
// path is escaped and its "/../" steps folded; the query is kept as it is.
std::string NormalizeUrl(std::string text);

// The reference resolved against the base, which takes part only when it is a
// URL and the reference is not; the result is normalised.
std::string ResolveUrl(std::string_view base, std::string_view reference);

// Resolves one reference after another against one base, as ResolveUrl does.
// The addresses of a list mostly begin alike: the base and the start of the
// last canonical address, up to its last "/", are not examined again.
class UrlResolver {
 public:
  explicit UrlResolver(std::string_view base);
  std::string Resolve(std::string_view reference);

 private:
  const std::string base_;
  // Where a relative path joins the base; empty when the base is not canonical.
  const std::string joinStart_;
  std::string knownStart_;  // empty until an address is found canonical
};
