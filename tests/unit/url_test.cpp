// Address functions: trimming, the URL test, normalisation and resolution.
#include "filelist/url.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

struct ResolveCase {
  std::string base;
  std::string reference;
  std::string expected;
};

std::ostream& operator<<(std::ostream& out, const ResolveCase& c) {
  return out << "base '" << c.base << "' reference '" << c.reference << "'";
}

class ResolveUrlTest : public ::testing::TestWithParam<ResolveCase> {};

TEST_P(ResolveUrlTest, GivesTheCanonicalAddress) {
  EXPECT_EQ(ResolveUrl(GetParam().base, GetParam().reference), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    DocumentedExamples, ResolveUrlTest,
    ::testing::Values(
        ResolveCase{"http://Web.HOST", "docs/a b.htm", "http://web.host/docs/a%20b.htm"},
        ResolveCase{"http://h/sub/", "/x/y.htm", "http://h/x/y.htm"},
        ResolveCase{"http://h/sub/", "x/y.htm", "http://h/sub/x/y.htm"},
        ResolveCase{"http://h/sub", "x.htm", "http://h/x.htm"},
        ResolveCase{"http://h/a/b/", "../f.htm", "http://h/a/f.htm"},
        ResolveCase{"http://h/", "../x", "http://h/x"},
        ResolveCase{"http://h", "//other/x", "http://other/x"},
        ResolveCase{"http://h/sub/", "HTTP://Host/A", "http://host/A"},
        ResolveCase{"", "HTTP://Host/A", "http://host/A"},
        ResolveCase{"", "http://h", "http://h/"},
        ResolveCase{"", "http://h?x/y", "http://h/?x/y"},
        ResolveCase{"/site", "x.htm", "x.htm"},
        ResolveCase{"", "/docs/", "/docs/"},
        ResolveCase{"", "http://User@Host/P", "http://User@host/P"},
        ResolveCase{"", "d:\\dir\\f.htm", "file://d:%5Cdir%5Cf.htm"},
        ResolveCase{"", "http://h/a b?x y/../z", "http://h/a%20b?x y/../z"},
        ResolveCase{"", " http://h/x ", "http://h/x"},
        ResolveCase{"http://h/d/p.cgi?x", "", "http://h/d/?x"}));

INSTANTIATE_TEST_SUITE_P(
    Interactions, ResolveUrlTest,
    ::testing::Values(
        // A URL written with backslashes becomes slashes; a "file://" text keeps
        // its backslashes, escaped.
        ResolveCase{"", "HTTP:\\\\Host\\Dir\\a b.htm", "http://host/Dir/a%20b.htm"},
        ResolveCase{"http:\\\\h\\sub\\", "x.htm", "http://h/sub/x.htm"},
        ResolveCase{"", "file://c:\\a b", "file://c:%5Ca%20b"},
        ResolveCase{"", "FILE:\\\\C:\\x", "FILE:%5C%5CC:%5Cx"},
        ResolveCase{"", "c|/dir/f.htm", "file://c%7C/dir/f.htm"},
        ResolveCase{"http://h/", "..\\x", "http://h/x"},
        // The at sign only marks user information before the path.
        ResolveCase{"", "http://Host/Path@X/Y", "http://host/Path@X/Y"},
        ResolveCase{"", "http://User:Pw@Host.COM:80/Path", "http://User:Pw@host.com:80/Path"},
        ResolveCase{"", "http://Host?a@B", "http://host/?a@B"},
        // Queries and fragments are kept as they are, and so is what follows them.
        ResolveCase{"", "http://h/a b#x y", "http://h/a%20b#x y"},
        ResolveCase{"", "http://h/a/../b#c/../d", "http://h/b#c/../d"},
        ResolveCase{"", "http://h/p#a?b c", "http://h/p#a?b c"},
        ResolveCase{"", "http://h?x", "http://h/?x"},
        ResolveCase{"", "http://h#top", "http://h/#top"},
        ResolveCase{"http://h/d/p.cgi#top", "x.htm", "http://h/d/x.htm"},
        ResolveCase{"http://h?q", "x.htm", "http://h/x.htm"},
        ResolveCase{"http://h/d/p.cgi?a/b", "/x", "http://h/x"},
        // Bytes from 0x80 up: lower-cased in the host, escaped in the path only
        // when they are in the escape set, never trimmed.
        ResolveCase{"", "http://H\xC9\xD7/\xE9\xA0x\x80", "http://h\xE9\xD7/\xE9%A0x\x80"},
        // The bytes of a UTF-8 character stay as they are, in the host too; a byte
        // of the escape set outside such a character is escaped.
        ResolveCase{"", "http://h/caf\xC3\xA9/\xC3\xA9\xA9", "http://h/caf\xC3\xA9/\xC3\xA9%A9"},
        ResolveCase{"", "http://M\xC3\x9Cller/", "http://m\xC3\x9Cller/"},
        ResolveCase{"", "http://\x8A\x8C\x9F\x8E/", "http://\x9A\x9C\xFF\x8E/"},
        ResolveCase{"", "\xA0x\xE9", "%A0x\xE9"},
        ResolveCase{"http://h/", "\xA0", "http://h/%A0"},
        // Cut at a zero byte, before trimming.
        ResolveCase{std::string("http://h/\0x", 11), "a", "http://h/a"},
        ResolveCase{"", std::string("a\0 b", 4), "a"},
        // Steps above the root, and steps that are not folded.
        ResolveCase{"http://h/a/b/", "../../../f", "http://h/f"},
        ResolveCase{"http://h/a/", "./b", "http://h/a/./b"},
        ResolveCase{"", "/a/../b", "/a/../b"},
        // The host is never escaped; existing escapes survive.
        ResolveCase{"", "http://h a/b c", "http://h a/b%20c"},
        ResolveCase{"", "http://h/a%20b", "http://h/a%20b"},
        // Scheme-relative references take the base's scheme, or stay as they are.
        ResolveCase{"HTTPS://h/x", "//Other", "https://other/"},
        ResolveCase{"/site", "//other/x.htm", "//other/x.htm"},
        ResolveCase{"", "//host", "//host/"},
        ResolveCase{"", "//", "///"},
        ResolveCase{"", "//Host?q", "//Host/?q"},
        // An empty reference resolves to the base's folder.
        ResolveCase{"http://h/sub/", "", "http://h/sub/"},
        ResolveCase{"http://h/sub/f.htm", "", "http://h/sub/"},
        ResolveCase{"http://h", "", "http://h/"},
        ResolveCase{"", "", ""},
        ResolveCase{"  ", "\t", ""}));

// Addresses as the file list writer leaves them, and relative paths against
// such a base, resolve without the general steps; the texts just off that way
// must still take them.
INSTANTIATE_TEST_SUITE_P(
    AddressesAsWritten, ResolveUrlTest,
    ::testing::Values(
        ResolveCase{"http://x/", "http://h:8080/a/b.htm", "http://h:8080/a/b.htm"},
        ResolveCase{"http://x/", "http://h:8080/a/b.htm?q=1&r", "http://h:8080/a/b.htm?q=1&r"},
        ResolveCase{"http://www.example.com/", "docs/a.htm", "http://www.example.com/docs/a.htm"},
        ResolveCase{"http://www.example.com/docs/index.htm", "a/b.htm",
                    "http://www.example.com/docs/a/b.htm"},
        ResolveCase{"http://www.example.com/", "../a.htm", "http://www.example.com/a.htm"},
        ResolveCase{"http://www.example.com/", "a/../b.htm", "http://www.example.com/b.htm"},
        ResolveCase{"http://h/d/", "a b.htm", "http://h/d/a%20b.htm"},
        ResolveCase{"http://h/d/", "a:b", "http://h/d/a:b"},
        ResolveCase{"http://h/d/", "..", "http://h/d/.."},
        ResolveCase{"http://h/d/?q", "a.htm", "http://h/d/a.htm"},
        ResolveCase{"ftp://h", "x", "ftp://h/x"},
        ResolveCase{"", "http://Www.h/", "http://www.h/"},
        ResolveCase{"", "file://h/x", "file://h/x"},
        ResolveCase{"", "http://../a", "http://a"},
        ResolveCase{"http://h/d/", "http://h/x/../y", "http://h/y"}));

struct TextCase {
  std::string input;
  std::string expected;
};

std::ostream& operator<<(std::ostream& out, const TextCase& c) {
  return out << "'" << c.input << "'";
}

class NormalizeUrlTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(NormalizeUrlTest, GivesTheCanonicalText) {
  EXPECT_EQ(NormalizeUrl(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormalizeUrlTest,
    ::testing::Values(TextCase{"", ""}, TextCase{"\\dir\\f", "/dir%5Cf"},
                      TextCase{".x", "/x"}, TextCase{" d:\\x", "d:%5Cx"},
                      TextCase{"docs/<a>&\"b\".htm", "docs/%3Ca%3E%26%22b%22.htm"},
                      TextCase{"a{|}^`[]~+=:@", "a%7B%7C%7D%5E%60%5B%5D~+=:@"},
                      TextCase{"a\x7F\x98\xBB\xBC", "a%7F%98%BB\xBC"},
                      TextCase{"Mixed Case", "Mixed%20Case"},
                      TextCase{"gopher://H/", "gopher://h/"},
                      TextCase{"http://h/a/./../b", "http://h/a/b"}));

struct UrlTestCase {
  std::string text;
  bool isUrl;
};

std::ostream& operator<<(std::ostream& out, const UrlTestCase& c) {
  return out << "'" << c.text << "'";
}

// One reference after another through one resolver: each must resolve as on
// its own, whatever address came before it.
TEST(UrlResolverTest, ResolvesEveryReferenceAsResolveUrlDoes) {
  const std::vector<std::string> references = {
      "http://h/a/b.htm",  "http://h/a/c.htm",   "http://h/a/../d.htm", "http://h/a/..",
      "http://h/a/.x",     "http://h/a/x y",     "http://h/a/",         "http://h/a",
      "http://h/a/b/",     "http://h/a/b/./c",   "http://h/a/b/%41",    "HTTP://h/a/b",
      "http://h/a/b\\c",  "http://h/a/b\x01",  "http://h/a/b ",       "c.htm",
      "../e.htm",          "http://h2/a/b.htm",  "http://h/a/b?x/../y", "http://h/a/b?x/z",
      "c d.htm",           " c.htm",             "x/../y.htm",          "x/..",
      "",                  "?q",                 "//h3/a",              "c.htm\x01"};
  for (const std::string base : {"http://www.example.com/docs/", "http://h/d?q", "HTTP://h/d/", ""}) {
    UrlResolver resolver(base);
    for (const std::string& reference : references) {
      EXPECT_EQ(resolver.Resolve(reference), ResolveUrl(base, reference)) << base << " " << reference;
    }
  }
}

class IsUrlTest : public ::testing::TestWithParam<UrlTestCase> {};

TEST_P(IsUrlTest, AcceptsSchemesOfThreeToSixBytesOnly) {
  EXPECT_EQ(IsUrl(GetParam().text), GetParam().isUrl);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IsUrlTest,
    ::testing::Values(UrlTestCase{"http://h", true}, UrlTestCase{"HTTPS://h", true},
                      UrlTestCase{"ftp:\\\\h", true}, UrlTestCase{"gopher://h", true},
                      UrlTestCase{"abcdefg://h", false}, UrlTestCase{"ab://h", false},
                      UrlTestCase{"file://h", false}, UrlTestCase{"FILE:\\\\h", false},
                      UrlTestCase{"//h/x", false}, UrlTestCase{"c:\\x", false},
                      UrlTestCase{"mailto:a@h", false}, UrlTestCase{"", false},
                      UrlTestCase{"abc/http://h", false}));

class TrimBlanksTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(TrimBlanksTest, DropsBytesUpToSpaceAtBothEnds) {
  EXPECT_EQ(TrimBlanks(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrimBlanksTest,
    ::testing::Values(TextCase{"", ""}, TextCase{" \t\r\n", ""},
                      TextCase{std::string("\0 a b \x01", 7), "a b"},
                      TextCase{"\x80 x \xFF", "\x80 x \xFF"}, TextCase{"x", "x"}));

TEST(ByteTablesTest, LowerCaseMapCoversAsciiAndWesternLetters) {
  for (int byte = 0; byte < 256; ++byte) {
    const bool ascii = byte >= 'A' && byte <= 'Z';
    const bool western = byte >= 0xC0 && byte <= 0xDE && byte != 0xD7;
    const int expected = ascii || western ? byte + 0x20
                         : byte == 0x8A   ? 0x9A
                         : byte == 0x8C   ? 0x9C
                         : byte == 0x9F   ? 0xFF
                                          : byte;
    EXPECT_EQ(LowerCaseMap[byte], expected) << "byte " << byte;
  }
}

TEST(ByteTablesTest, UrlEscapeSetHoldsUnsafeBytesOnly) {
  const std::string unsafe = "\"&<>[\\]^`{|}\x7F\x98\xA0\xA4\xA6\xA7\xA9\xAB\xAC\xAD\xAE\xB0\xB1\xB5\xB6\xB7\xBB";
  for (int byte = 0; byte < 256; ++byte) {
    const bool expected = (byte >= 0x01 && byte <= 0x20) ||
                          unsafe.find(static_cast<char>(byte)) != std::string::npos;
    EXPECT_EQ(UrlEscapeSet[byte], expected) << "byte " << byte;
  }
}

}  // namespace
