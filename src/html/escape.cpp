// Escaping of values for page markup and for script alert strings.
#include "html/escape.h"

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

void AppendHexEscape(std::string& out, unsigned char byte) {
  out += "\\x";
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0x0F];
}

}  // namespace

std::string EscapeMarkup(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  EmitEscapedMarkup(text, [&out](std::string_view piece) { out += piece; });
  return out;
}

std::string EscapeAlert(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\'': out += '"'; break;
      case '\\': out += "\\\\"; break;
      case '<': AppendHexEscape(out, byte); break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default:
        if (byte < 0x20) {
          AppendHexEscape(out, byte);
        } else {
          out += c;
        }
    }
  }
  return out;
}
