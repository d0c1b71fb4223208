// Escaping of values for page markup and for script alert strings.
#include "html/escape.h"

#include <array>
#include <cstring>

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

void AppendHexEscape(std::string& out, unsigned char byte) {
  out += "\\x";
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0x0F];
}

struct alignas(8) Entity {
  char text[kMaxEscapedByteSize];
  unsigned char size;  // 0: the byte stands for itself
};

constexpr std::array<Entity, 256> BuildEntities() {
  std::array<Entity, 256> entities{};
  entities['&'] = {{'&', 'a', 'm', 'p', ';'}, 5};
  entities['<'] = {{'&', 'l', 't', ';'}, 4};
  entities['>'] = {{'&', 'g', 't', ';'}, 4};
  entities['"'] = {{'&', 'q', 'u', 'o', 't', ';'}, 6};
  return entities;
}

constexpr std::array<Entity, 256> kEntities = BuildEntities();

}  // namespace

char* EscapeMarkupTo(char* out, std::string_view text) {
  for (const char c : text) {
    const Entity& entity = kEntities[static_cast<unsigned char>(c)];
    if (entity.size == 0) {
      *out++ = c;
    } else {
      // Every entity is copied whole; only its size counts.
      std::memcpy(out, entity.text, kMaxEscapedByteSize);
      out += entity.size;
    }
  }
  return out;
}

std::string EscapeMarkup(std::string_view text) {
  std::string out(text.size() * kMaxEscapedByteSize, '\0');
  out.resize(static_cast<std::size_t>(EscapeMarkupTo(out.data(), text) - out.data()));
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
