// Percent-decoding, a two-state scan that passes malformed escapes through.
#include "cgi/url_decode.h"

#include <algorithm>
#include <cctype>

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

int HexDigitsValue(const std::string& text) {
  int value = 0;
  for (char c : text) {
    const int digit = HexDigitValue(c);
    if (digit >= 0) value = (value << 4) | digit;
  }
  return value;
}

std::string UrlDecode(const std::string& text) {
  std::string blanks = text;
  std::replace(blanks.begin(), blanks.end(), '+', ' ');
  return PercentDecode(blanks);
}

std::string PercentDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::string pending;
  bool inEscape = false;
  for (char c : text) {
    if (!inEscape) {
      if (c == '%') {
        inEscape = true;
        pending.clear();
      } else {
        out += c;
      }
      continue;
    }
    pending += c;
    if (HexDigitValue(c) < 0) {
      out += '%';
      out += pending;
      inEscape = false;
    } else if (pending.size() == 2) {
      out += static_cast<char>(HexDigitsValue(pending));
      inEscape = false;
    }
  }
  if (inEscape) {
    out += '%';
    out += pending;
  }
  return out;
}

std::string ProtectFromUrlDecode(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '%') {
      out += "%25";
    } else if (c == '+') {
      out += "%2B";
    } else {
      out += c;
    }
  }
  return out;
}

std::string PercentEncode(std::string_view text, bool (*escaped)(unsigned char)) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (!escaped(byte)) {
      encoded += c;
      continue;
    }
    encoded += '%';
    encoded += kHex[byte >> 4];
    encoded += kHex[byte & 15];
  }
  return encoded;
}

std::string UrlEncode(std::string_view text) {
  return PercentEncode(text, [](unsigned char byte) {
    return std::isalnum(byte) == 0 && byte != '-' && byte != '.' && byte != '_' && byte != '~';
  });
}
