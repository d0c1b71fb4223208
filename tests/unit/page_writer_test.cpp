// The frame pieces written by PageWriter, checked in-process.
#include "html/page_writer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const char kHeadingRowEnd[] =
    " align=\"center\" bgcolor=\"#666666\">\n <font color=\"#ffffff\"><b>";

std::string Header(std::string_view heading, std::string_view value, int columns,
                   bool protectedByPassword, const std::vector<std::string>& messages) {
  std::ostringstream out;
  PageWriter writer(out);
  writer.WritePageHeader(heading, value, columns, protectedByPassword, messages);
  return out.str();
}

TEST(PageWriterTest, DocumentStartIsTheHeadUpToTheTitle) {
  std::ostringstream out;
  PageWriter(out).WriteDocumentStart("Main Menu");
  const std::string start =
      "<html lang=\"en\"><head>\n<title>Tovimarq(tm) configuration utility - Main Menu</title>\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<style>\n";
  EXPECT_EQ(out.str().substr(0, start.size()), start);
  // The phone layout is one style block that the head ends with.
  EXPECT_EQ(out.str().find("</style>\n"), out.str().size() - 9);
}

TEST(PageWriterTest, HeaderWithWarningAndWithoutAlerts) {
  EXPECT_EQ(Header("TEST SEARCH FORM", "", 1, false, {}),
            "</head>\n<body bgcolor=\"#c0c0c0\">\n<h3 align=\"center\">Tovimarq&#153; v1.1 "
            "configuration utility</h2>\n"
            "<p><b><font color=\"#a00000\">WARNING!</font> The Tovimarq&#153; configuration\n"
            " utility is not currently protected with a password. Contact your\n"
            " web site administrator to restrict access to the utility.</b></p>\n"
            "<table width=100% border=1 cellspacing=0 cellpadding=4>\n<tr>\n<td" +
                std::string(kHeadingRowEnd) + "TEST SEARCH FORM</b></font>\n</td>\n</tr>\n");
}

TEST(PageWriterTest, ColspanOnlyAboveOneColumn) {
  EXPECT_NE(Header("H", "", 2, true, {}).find("<td colspan=2" + std::string(kHeadingRowEnd)),
            std::string::npos);
  EXPECT_NE(Header("H", "", 1, true, {}).find("<td" + std::string(kHeadingRowEnd)),
            std::string::npos);
}

TEST(PageWriterTest, ProtectedPageHasNoWarningAndNoEmptyScript) {
  const std::string header = Header("H", "", 1, true, {});
  EXPECT_EQ(header.find("WARNING!"), std::string::npos);
  EXPECT_EQ(header.find("<script"), std::string::npos);
}

TEST(PageWriterTest, AlertsInOrderWithEscapedMessages) {
  const std::string header = Header("H", "", 1, true, {"it's saved", "C:\\a\\b", "</script>"});
  EXPECT_NE(header.find("</h2>\n<script language=\"JavaScript\"><!--\n"
                        " alert('it\"s saved');\n"
                        " alert('C:\\\\a\\\\b');\n"
                        " alert('\\x3C/script>');\n"
                        "//--></script>\n<table"),
            std::string::npos);
}

TEST(PageWriterTest, HeadingValueIsEscaped) {
  EXPECT_NE(Header("EDIT ", "<a&b>.htm", 1, true, {}).find("<b>EDIT &lt;a&amp;b&gt;.htm</b>"),
            std::string::npos);
}

TEST(PageWriterTest, PageEndHasNoFinalLineFeed) {
  std::ostringstream out;
  PageWriter(out).WritePageEnd();
  EXPECT_EQ(out.str(), "</body>\n</html>");
}

TEST(PageWriterTest, WriteStringKeepsZeroBytes) {
  std::ostringstream out;
  PageWriter(out).WriteString(std::string("a\0b", 3)).WriteValue("\"").WriteNumber(-12);
  EXPECT_EQ(out.str(), std::string("a\0b&quot;-12", 12));
}

// Keeps every write the buffered writer hands over.
class RecordingSink : public PageSink {
 public:
  void Write(const char* bytes, std::size_t size) override { page.append(bytes, size); }
  std::string page;
};

// A page many times the buffer's size, in pieces of every kind: the buffered
// writer hands over the same bytes, in the same order, as the unbuffered one.
TEST(PageWriterTest, BufferedPageEqualsTheUnbufferedOne) {
  std::string text;
  for (int i = 0; i < 40000; ++i) text += i % 7 == 0 ? "a\r\n<b>&\"" : "line\r\n";
  const auto writePage = [&text](PageWriter& writer) {
    for (int i = 0; i < 3; ++i) {
      writer.WriteString(text).WriteValue(text).WriteNumber(i);
      writer.WriteTextArea(text);
    }
  };
  std::ostringstream unbuffered;
  PageWriter streamWriter(unbuffered);
  writePage(streamWriter);
  RecordingSink sink;
  {
    PageWriter bufferedWriter(sink);
    writePage(bufferedWriter);
  }
  EXPECT_EQ(sink.page.size(), unbuffered.str().size());
  EXPECT_TRUE(sink.page == unbuffered.str());
}

// A CR LF pair split by the writer's pieces still loses its LF.
// Numbers written with every room left in the buffer, down to none, arrive whole.
TEST(PageWriterTest, NumbersAtTheEndOfTheBufferArriveWhole) {
  for (std::size_t room = 0; room <= 30; ++room) {
    const std::string filler(64 * 1024 - room, 'x');
    RecordingSink sink;
    PageWriter(sink).WriteString(filler).WriteNumber(-1234567890123456789).WriteNumber(42);
    EXPECT_TRUE(sink.page == filler + "-123456789012345678942") << "room " << room;
  }
}

TEST(PageWriterTest, TextAreaDropsTheLfOfEveryPairWhereverItFalls) {
  for (const std::size_t length : {10921u, 10922u, 10923u, 30000u}) {
    std::string text(length, 'x');
    for (std::size_t at = 7; at + 1 < length; at += 1001) text.replace(at, 2, "\r\n");
    text.replace(10920, 2, "\r\n");
    std::string expected;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (!(text[i] == '\n' && i > 0 && text[i - 1] == '\r')) expected += text[i];
    }
    RecordingSink sink;
    PageWriter(sink).WriteTextArea(text);
    EXPECT_TRUE(sink.page == expected) << "length " << length;
  }
}

// The CGI header goes before the held page and names its character set; once
// the page has told it, the rest goes out as it is written.
TEST(PageWriterTest, HeldPageFollowsTheHeaderNamingItsCharacterSet) {
  const std::string held(70 * 1024, 'x');
  for (const bool utf8 : {true, false}) {
    RecordingSink sink;
    HeldPage page(sink);
    PageWriter writer(page);
    writer.WriteString(held).WriteValue("<a>");
    EXPECT_TRUE(sink.page.empty());
    writer.DecideCharset(utf8);
    EXPECT_TRUE(page.Released());
    EXPECT_EQ(sink.page.substr(0, sink.page.find('\n') + 1),
              utf8 ? "Content-type: text/html; charset=utf-8\n"
                   : "Content-type: text/html; charset=windows-1252\n");
    writer.WriteString(held).WriteValue("\xE9");
    writer.DecideCharset(true);
    const std::size_t body = sink.page.find("\n\n") + 2;
    EXPECT_NE(sink.page.find("\nReferrer-Policy: same-origin\n\n"), std::string::npos);
    EXPECT_EQ(sink.page.find("Content-type", 1), std::string::npos) << "one header";
    EXPECT_TRUE(sink.page.substr(body) == held + "&lt;a&gt;" + held + "\xE9");
  }
}

struct CharsetCase {
  const char* name;
  std::string value;  // written as a value, as a text area and as a message
  bool utf8;
};

// Whatever way a value reaches the page, one that is not UTF-8 makes it windows-1252.
TEST(PageWriterTest, EveryWayOfAValueCountsForTheCharacterSet) {
  const std::string longUtf8 = std::string(20000, 'a') + "\xE2\x82\xAC" + std::string(20000, 'b');
  const CharsetCase cases[] = {
      {"ascii", "plain <name>", true},
      {"two-byte", "caf\xC3\xA9.htm", true},
      {"four-byte", "\xF0\x9F\x98\x80", true},
      {"long, a sequence at every piece boundary", [] {
         std::string text;
         while (text.size() < 70000) text += "\xE2\x82\xAC\r\n";
         return text;
       }(), true},
      {"long", longUtf8, true},
      {"windows-1252", "caf\xE9.htm", false},
      {"overlong", "\xC0\xAF", false},
      {"surrogate", "\xED\xA0\x80", false},
      {"above U+10FFFF", "\xF4\x90\x80\x80", false},
      {"cut short", "ab\xE2\x82", false},
      {"lone continuation", "\x80", false},
      {"long, bad byte at the end", std::string(30000, 'a') + "\xFF", false},
  };
  for (const CharsetCase& c : cases) {
    RecordingSink sink;
    PageWriter value(sink);
    value.WriteValue(c.value);
    EXPECT_EQ(value.AllUtf8(), c.utf8) << "value " << c.name;
    PageWriter area(sink);
    area.WriteTextArea(c.value);
    EXPECT_EQ(area.AllUtf8(), c.utf8) << "text area " << c.name;
    PageWriter message(sink);
    message.WritePageHeader("H", "", 1, true, {c.value});
    EXPECT_EQ(message.AllUtf8(), c.utf8) << "message " << c.name;
  }
}

}  // namespace
