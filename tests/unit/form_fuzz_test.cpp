// Randomised checks of the form parsers: any bytes decode, and encoding round-trips.
#include <gtest/gtest.h>

#include <random>

#include "cgi/form_data.h"
#include "cgi/request_reader.h"
#include "cgi/url_decode.h"

namespace {

constexpr int kRounds = 2000;

std::string RandomBytes(std::mt19937& random, const std::string& alphabet) {
  std::uniform_int_distribution<std::size_t> length(0, 40);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::string text(length(random), '\0');
  for (char& c : text) c = alphabet[pick(random)];
  return text;
}

std::string AllBytes() {
  std::string bytes;
  for (int b = 0; b < 256; ++b) bytes += static_cast<char>(b);
  return bytes;
}

std::string PercentEncode(const std::string& text) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : text) {
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
  }
  return out;
}

TEST(FormFuzzTest, PercentEncodedBytesDecodeToThemselves) {
  std::mt19937 random(7);
  const std::string alphabet = AllBytes();
  for (int round = 0; round < kRounds; ++round) {
    const std::string text = RandomBytes(random, alphabet);
    ASSERT_EQ(UrlDecode(PercentEncode(text)), text);
  }
}

TEST(FormFuzzTest, ProtectedTextDecodesToItself) {
  std::mt19937 random(5);
  const std::string alphabet = "%+25Bb &=\x80";
  for (int round = 0; round < kRounds; ++round) {
    const std::string text = RandomBytes(random, alphabet);
    ASSERT_EQ(UrlDecode(ProtectFromUrlDecode(text)), text) << text;
  }
}

TEST(FormFuzzTest, DecodingNeverGrowsTheText) {
  std::mt19937 random(11);
  const std::string alphabet = "%+0123456789aAfFgG&= \x80\xff";
  for (int round = 0; round < kRounds; ++round) {
    const std::string text = RandomBytes(random, alphabet);
    ASSERT_LE(UrlDecode(text).size(), text.size()) << text;
  }
}

TEST(FormFuzzTest, EveryFieldComesFromASegmentWithEquals) {
  std::mt19937 random(13);
  const std::string alphabet("&=%+a1\0b", 8);
  for (int round = 0; round < kRounds; ++round) {
    const std::string text = RandomBytes(random, alphabet);
    FormData form;
    ParseFormText(text, form);
    std::size_t segmentsWithEquals = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
      std::size_t end = text.find('&', start);
      if (end == std::string::npos) end = text.size();
      if (text.substr(start, end - start).find('=') != std::string::npos) ++segmentsWithEquals;
      start = end + 1;
    }
    ASSERT_EQ(form.size(), segmentsWithEquals) << text;
  }
}

}  // namespace
