// Form decoding: splitting, percent-decoding, lookups and whole integers.
#include <gtest/gtest.h>

#include <sstream>

#include "app/cgi_environment.h"
#include "cgi/form_data.h"
#include "cgi/request_reader.h"
#include "cgi/url_decode.h"

namespace {

TEST(FormTextTest, FirstValueAndAllValuesInRequestOrder) {
  FormData form;
  ParseFormText("a=1&b=2&a=3", form);
  std::string value;
  ASSERT_TRUE(GetField(form, "a", value));
  EXPECT_EQ(value, "1");
  EXPECT_EQ(AllValues(form, "a"), (std::vector<std::string>{"1", "3"}));
  EXPECT_TRUE(AllValues(form, "c").empty());
}

TEST(FormTextTest, SegmentsWithoutEqualsAreIgnored) {
  FormData form;
  ParseFormText("target=sdef&&x&=v", form);
  ASSERT_EQ(form.size(), 2u);
  std::string value;
  EXPECT_TRUE(GetField(form, "target", value));
  EXPECT_EQ(value, "sdef");
  EXPECT_TRUE(GetField(form, "", value));
  EXPECT_EQ(value, "v");
  EXPECT_FALSE(GetField(form, "x", value));
}

TEST(FormTextTest, NamesStayEncodedAndFurtherEqualsBelongToTheValue) {
  FormData form;
  ParseFormText("my%20name=a=b+c", form);
  std::string value;
  EXPECT_FALSE(GetField(form, "my name", value));
  ASSERT_TRUE(GetField(form, "my%20name", value));
  EXPECT_EQ(value, "a=b c");
}

TEST(FormTextTest, GetFieldIsCaseSensitiveAndLeavesValueWhenAbsent) {
  FormData form;
  ParseFormText("Act=x", form);
  std::string value = "unchanged";
  EXPECT_FALSE(GetField(form, "act", value));
  EXPECT_EQ(value, "unchanged");
}

struct DecodeCase {
  std::string input;
  std::string expected;
};

class UrlDecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(UrlDecodeTest, Decodes) { EXPECT_EQ(UrlDecode(GetParam().input), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Cases, UrlDecodeTest,
    ::testing::Values(DecodeCase{"a+b%41%2B", "a bA+"}, DecodeCase{"x%4", "x%4"},
                      DecodeCase{"%zz", "%zz"}, DecodeCase{"%%41", "%%41"},
                      DecodeCase{"%+", "% "}, DecodeCase{"%4+", "%4 "},
                      DecodeCase{"%", "%"}, DecodeCase{"%e9%E9", "\xE9\xE9"},
                      DecodeCase{"a%00b", std::string("a\0b", 3)},
                      DecodeCase{"%4g1", "%4g1"}, DecodeCase{"", ""}));

TEST(HexDigitsValueTest, SkipsNonDigits) {
  EXPECT_EQ(HexDigitsValue("2B"), 0x2B);
  EXPECT_EQ(HexDigitsValue("fF"), 0xFF);
  EXPECT_EQ(HexDigitsValue("x1"), 1);
}

struct IntCase {
  std::string text;
  int result;
  int number;  // expected number afterwards; starts at 99
};

class ParseWholeIntTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(ParseWholeIntTest, Parses) {
  int number = 99;
  EXPECT_EQ(ParseWholeInt(GetParam().text, number), GetParam().result);
  EXPECT_EQ(number, GetParam().number);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseWholeIntTest,
    ::testing::Values(IntCase{"12", 0, 12}, IntCase{"-7", 0, -7}, IntCase{" 12", 0, 12},
                      IntCase{"+3", 0, 3}, IntCase{"12abc", 3, 12}, IntCase{"12 ", 3, 12},
                      IntCase{"abc", 1, 99}, IntCase{"", 1, 99}, IntCase{"-", 1, 99},
                      IntCase{std::string("5\0", 2), 2, 5},
                      IntCase{"99999999999", 0, 2147483647}));

TEST(GetIntFieldTest, TrueOnlyForWholeIntegers) {
  FormData form;
  ParseFormText("a=12&b=12abc&c=abc&d=&e=-7", form);
  int number = 0;
  EXPECT_TRUE(GetIntField(form, "a", number));
  EXPECT_EQ(number, 12);
  EXPECT_FALSE(GetIntField(form, "b", number));
  EXPECT_EQ(number, 12);
  number = 5;
  EXPECT_FALSE(GetIntField(form, "c", number));
  EXPECT_FALSE(GetIntField(form, "d", number));
  EXPECT_FALSE(GetIntField(form, "missing", number));
  EXPECT_EQ(number, 5);
  EXPECT_TRUE(GetIntField(form, "e", number));
  EXPECT_EQ(number, -7);
}

struct RequestCase {
  std::optional<std::string> contentLength;
  std::optional<std::string> query;
  std::string body;
  FormData expected;
  std::size_t messages;
};

class ReadRequestTest : public ::testing::TestWithParam<RequestCase> {};

TEST_P(ReadRequestTest, ChoosesBodyOrQuery) {
  CgiEnvironment env;
  env.contentLength = GetParam().contentLength;
  env.queryString = GetParam().query;
  std::istringstream body(GetParam().body);
  FormData form;
  std::vector<std::string> messages;
  ReadRequest(env, body, form, messages);
  EXPECT_EQ(form, GetParam().expected);
  EXPECT_EQ(messages.size(), GetParam().messages);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadRequestTest,
    ::testing::Values(
        RequestCase{"3", "q=1", "b=2", {{"b", "2"}}, 0},
        RequestCase{"0", "q=1", "b=2", {{"q", "1"}}, 0},
        RequestCase{"-4", "q=1", "", {{"q", "1"}}, 0},
        RequestCase{"x", "q=1", "", {{"q", "1"}}, 0},
        RequestCase{std::nullopt, std::nullopt, "b=2", {}, 0},
        RequestCase{"5", std::nullopt, "b=2", {{"b", std::string("2\0\0", 3)}}, 0},
        RequestCase{"8388608", std::nullopt, "b=2", {{"b", "2" + std::string(8388605, '\0')}}, 0},
        RequestCase{"8388609", "q=1", "b=2", {}, 1}));

}  // namespace
