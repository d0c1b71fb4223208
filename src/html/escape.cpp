// Escaping of values for page markup and for script alert strings.
#include "html/escape.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

void AppendHexEscape(std::string& out, unsigned char byte) {
  out += "\\x";
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0x0F];
}

// What a byte becomes in markup.
struct alignas(8) Entity {
  char text[kMaxEscapedByteSize];
  unsigned char size;  // 0: the byte stands for itself
  bool control;        // a control byte other than TAB, LF and CR
};

// The four markup bytes get their entities. The control bytes stand for
// themselves but take the slow way, which notes those other than TAB, LF and CR
// and lets a text area leave out an LF; every other byte takes the fast way.
constexpr std::array<Entity, 256> BuildEntities() {
  std::array<Entity, 256> entities{};
  for (int byte = 0; byte < 0x20; ++byte) entities[byte] = {{static_cast<char>(byte)}, 1, true};
  entities['\t'].control = false;
  entities['\r'].control = false;
  entities['\n'].control = false;
  entities['&'] = {{'&', 'a', 'm', 'p', ';'}, 5, false};
  entities['<'] = {{'&', 'l', 't', ';'}, 4, false};
  entities['>'] = {{'&', 'g', 't', ';'}, 4, false};
  entities['"'] = {{'&', 'q', 'u', 'o', 't', ';'}, 6, false};
  return entities;
}

constexpr std::array<Entity, 256> kEntities = BuildEntities();

// Eight bytes at a time, each flagged by its high bit.
constexpr std::uint64_t kHighBits = 0x8080808080808080;

// The bytes that do not stand for themselves in every case: control bytes and
// the markup bytes. The eight bytes are compared side by side, as a vector of
// bytes (a compiler extension of GCC and Clang).
std::uint64_t SpecialBytes(std::uint64_t word) {
  using Bytes = unsigned char __attribute__((vector_size(sizeof(std::uint64_t))));
  Bytes bytes;
  std::memcpy(&bytes, &word, sizeof word);
  const auto special =
      (bytes < 0x20) | (bytes == '"') | (bytes == '&') | (bytes == '<') | (bytes == '>');
  std::uint64_t flags;
  std::memcpy(&flags, &special, sizeof flags);
  return flags & kHighBits;
}

// Byte positions count in memory order, whatever the byte order of a word.
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
std::size_t FirstFlaggedByte(std::uint64_t flags) {
  return static_cast<std::size_t>(__builtin_ctzll(flags)) / 8;
}
std::uint64_t WithoutFirstBytes(std::uint64_t word, std::size_t count) {
  return word >> (8 * count);
}
// All bits of the first `count` bytes (fewer than 8).
std::uint64_t FirstBytes(std::size_t count) { return (std::uint64_t{1} << (8 * count)) - 1; }
#else
std::size_t FirstFlaggedByte(std::uint64_t flags) {
  return static_cast<std::size_t>(__builtin_clzll(flags)) / 8;
}
std::uint64_t WithoutFirstBytes(std::uint64_t word, std::size_t count) {
  return word << (8 * count);
}
std::uint64_t FirstBytes(std::size_t count) {
  return count == 0 ? 0 : ~std::uint64_t{0} << (64 - 8 * count);
}
#endif

// Writes the bytes of a word from `first` on, and 8 bytes in all.
void StoreFrom(char* out, std::uint64_t word, std::size_t first) {
  const std::uint64_t rest = WithoutFirstBytes(word, first);
  std::memcpy(out, &rest, sizeof rest);
}

template <bool kTextArea>
class Escaper {
 public:
  explicit Escaper(std::string_view text) : text_(text) {}

  // Whether a control byte other than TAB, LF and CR was met.
  bool control() const { return control_; }
  // Whether the text is valid UTF-8; only a text with a byte above 0x7F is examined.
  bool utf8() const { return (seen_ & kHighBits) == 0 || IsUtf8(text_); }

  // Words without special bytes are copied whole. In the others, each run of
  // plain bytes is stored as a word from its first byte on, and what follows
  // the run overwrites the bytes stored past it. The last bytes are taken as
  // the end of a word that overlaps bytes done already.
  char* Run(char* out) {
    const std::size_t size = text_.size();
    std::size_t at = 0;
    for (; size - at >= 8; at += 8) out = Word(out, at, 0);
    if (at == size) return out;
    if (size < 8) {
      for (; at < size; ++at) out = Byte(out, at);
      return out;
    }
    return Word(out, size - 8, at - (size - 8));
  }

 private:
  // Writes the bytes of the word at `start` from its byte `done` on.
  char* Word(char* out, std::size_t start, std::size_t done) {
    std::uint64_t word;
    std::memcpy(&word, text_.data() + start, sizeof word);
    seen_ |= word;
    for (std::uint64_t special = SpecialBytes(word) & ~FirstBytes(done); special != 0;
         special &= special - 1) {
      const std::size_t next = FirstFlaggedByte(special);
      StoreFrom(out, word, done);
      out = Special(out + (next - done), start + next);
      done = next + 1;
    }
    if (done == 8) return out;
    StoreFrom(out, word, done);
    return out + (8 - done);
  }

  char* Byte(char* out, std::size_t at) {
    seen_ |= static_cast<unsigned char>(text_[at]);
    if (kEntities[static_cast<unsigned char>(text_[at])].size == 0) {
      *out = text_[at];
      return out + 1;
    }
    return Special(out, at);
  }

  char* Special(char* out, std::size_t at) {
    const Entity& entity = kEntities[static_cast<unsigned char>(text_[at])];
    control_ |= entity.control;
    if (kTextArea && text_[at] == '\n' && at > 0 && text_[at - 1] == '\r') return out;
    // Every entity is copied whole; only its size counts.
    std::memcpy(out, entity.text, kMaxEscapedByteSize);
    return out + entity.size;
  }

  const std::string_view text_;
  bool control_ = false;
  // Every byte read, OR-ed together: a high bit tells of a byte above 0x7F.
  std::uint64_t seen_ = 0;
};

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
  const auto within = [&](std::size_t at, unsigned lowest, unsigned highest) {
    return at < text.size() && byte(at) >= lowest && byte(at) <= highest;
  };
  if (text.empty()) return 0;
  const unsigned lead = byte(0);
  if (lead < 0x80) return 1;
  // The second byte's range shuts out overlong forms, surrogates and code points
  // above U+10FFFF; the later ones are plain continuation bytes.
  unsigned secondLowest = 0x80;
  unsigned secondHighest = 0xBF;
  std::size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) secondLowest = 0xA0;
    if (lead == 0xED) secondHighest = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) secondLowest = 0x90;
    if (lead == 0xF4) secondHighest = 0x8F;
  } else {
    return 0;
  }
  if (!within(1, secondLowest, secondHighest)) return 0;
  for (std::size_t at = 2; at < length; ++at) {
    if (!within(at, 0x80, 0xBF)) return 0;
  }
  return length;
}

namespace {

}  // namespace

bool IsUtf8(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    // Eight plain ASCII bytes at a time.
    std::uint64_t word;
    if (text.size() - at >= sizeof word) {
      std::memcpy(&word, text.data() + at, sizeof word);
      if ((word & kHighBits) == 0) {
        at += sizeof word;
        continue;
      }
    }
    const std::size_t length = Utf8SequenceLength(text.substr(at));
    if (length == 0) return false;
    at += length;
  }
  return true;
}

char* EscapeMarkupTo(char* out, std::string_view text, bool& utf8) {
  Escaper<false> escaper(text);
  char* const end = escaper.Run(out);
  if (utf8) utf8 = escaper.utf8();
  return end;
}

char* EscapeTextAreaTo(char* out, std::string_view text, bool& control, bool& utf8) {
  Escaper<true> escaper(text);
  char* const end = escaper.Run(out);
  control |= escaper.control();
  if (utf8) utf8 = escaper.utf8();
  return end;
}

std::string EscapeMarkup(std::string_view text) {
  std::string out(EscapedRoom(text.size()), '\0');
  bool utf8 = true;
  out.resize(static_cast<std::size_t>(EscapeMarkupTo(out.data(), text, utf8) - out.data()));
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
