// The page frame as the browser receives it: header, title, warning, alerts, heading row.
#include <gtest/gtest.h>

#include "support/cgi_test.h"

namespace {

using FrameTest = CgiTest;

// The header of a page whose values are all UTF-8 (plain ASCII among them).
const char kCgiHeader[] =
    "Content-type: text/html; charset=utf-8\nExpires: Thu, 01 Dec 1994 16:00:00 GMT\n"
    "X-Frame-Options: DENY\nContent-Security-Policy: frame-ancestors 'none'\n"
    "Cache-Control: no-store\nX-Content-Type-Options: nosniff\nReferrer-Policy: same-origin\n\n";

struct PageCase {
  std::string target;
  std::string title;
  std::string heading;
  int columns;
  std::string headScript;  // a function the head script defines, or empty
};

class PageTableTest : public CgiTest, public ::testing::WithParamInterface<PageCase> {};

TEST_P(PageTableTest, TargetChoosesTitleScriptAndHeading) {
  const PageCase& page = GetParam();
  const CgiResponse response = Get("target=" + page.target);
  EXPECT_EQ(response.Header(), kCgiHeader);
  const std::string body = response.Body();
  EXPECT_EQ(body.rfind("<html lang=\"en\"><head>\n<title>Tovimarq(tm) configuration utility - " +
                           page.title + "</title>\n",
                       0),
            0u);
  const std::string colspan = page.columns > 1 ? " colspan=" + std::to_string(page.columns) : "";
  EXPECT_NE(body.find("<tr>\n<td" + colspan + " align=\"center\" bgcolor=\"#666666\">\n"
                      " <font color=\"#ffffff\"><b>" + page.heading + "</b></font>\n</td>\n</tr>\n"),
            std::string::npos);
  const std::string::size_type headEnd = body.find("</head>");
  ASSERT_NE(headEnd, std::string::npos);
  if (page.headScript.empty()) {
    EXPECT_EQ(body.substr(0, headEnd).find("<script"), std::string::npos);
  } else {
    EXPECT_NE(body.substr(0, headEnd).find("function " + page.headScript + "("), std::string::npos);
  }
  ASSERT_GE(body.size(), 15u);
  EXPECT_EQ(body.substr(body.size() - 15), "</body>\n</html>");
}

INSTANTIATE_TEST_SUITE_P(
    Targets, PageTableTest,
    ::testing::Values(
        PageCase{"main", "Main Menu", "MAIN CONFIGURATION MENU", 2, "fselini"},
        PageCase{"", "Main Menu", "MAIN CONFIGURATION MENU", 2, "fselini"},
        PageCase{"SDEF", "Main Menu", "MAIN CONFIGURATION MENU", 2, "fselini"},
        PageCase{"sdef", "Search Defaults", "EDIT SEARCH DEFAULTS", 1, "feditdef"},
        PageCase{"flist", "File List", "EDIT FILE LIST", 1, "fchdir"},
        PageCase{"redit", "File Editor", "EDIT TOVIMARQ&#153; FILES", 2, ""},
        PageCase{"editor", "File Editor", "EDIT ", 1, "feditor"},
        PageCase{"testform", "Test Tovimarq(tm)", "TEST SEARCH FORM", 1, ""},
        PageCase{"mconf", "Manage Configurations", "MANAGE MULTIPLE CONFIGURATIONS", 2,
                 "fcopyini"}),
    [](const ::testing::TestParamInfo<PageCase>& info) {
      return info.param.target.empty() ? std::string("absent") : info.param.target;
    });

TEST_F(FrameTest, PasswordWarningOnlyWithoutRemoteUser) {
  const std::string warning = "utility is not currently protected with a password";
  struct Case {
    std::optional<std::string> remoteUser;
    bool warned;
  };
  for (const Case& c : {Case{std::nullopt, true}, Case{"", false}, Case{"admin", false}}) {
    CgiRequest request;
    request.remoteUser = c.remoteUser;
    const bool warned = Run(request).Body().find(warning) != std::string::npos;
    EXPECT_EQ(warned, c.warned) << (c.remoteUser ? "REMOTE_USER=" + *c.remoteUser : "unset");
  }
}

TEST_F(FrameTest, NoAlertBlockWithoutMessages) {
  const std::string body = Get("target=main").Body();
  const std::string::size_type head = body.find("</head>");
  const std::string::size_type table = body.find("<table");
  EXPECT_EQ(body.substr(head, table - head).find("<script"), std::string::npos);
}

TEST_F(FrameTest, OversizedRequestIsIgnoredWithOneMessage) {
  CgiRequest request;
  request.body = "target=sdef&act=setdefs";
  request.env["CONTENT_LENGTH"] = "8388609";
  const std::string body = Run(request).Body();
  EXPECT_NE(body.find("MAIN CONFIGURATION MENU"), std::string::npos);
  EXPECT_NE(body.find(" alert('The request was too large and was ignored');\n"), std::string::npos);
}

TEST_F(FrameTest, PostedBodyWinsOverQueryString) {
  CgiRequest request;
  request.query = "target=mconf";
  request.body = "target=testform";
  EXPECT_NE(Run(request).Body().find("TEST SEARCH FORM"), std::string::npos);
}

TEST_F(FrameTest, ShortBodyAndHostileBytesStillGiveACompletePage) {
  for (const char* length : {"100", "-1", "abc", "99999999999999999999"}) {
    CgiRequest request;
    request.body = "target=%00%0A%27&act=%3Cx%3E&=&&%";
    request.env["CONTENT_LENGTH"] = length;
    const CgiResponse response = Run(request);
    EXPECT_EQ(response.Header(), kCgiHeader) << length;
    EXPECT_EQ(response.Body().substr(response.Body().size() - 7), "</html>") << length;
  }
}

TEST_F(FrameTest, EditorHeadingNamesTheFileEscaped) {
  const std::string body = Post("target=editor&act=editfile&file=%3Cb%3E.htm").Body();
  EXPECT_NE(body.find("<b>EDIT &lt;b&gt;.htm</b>"), std::string::npos);
}

}  // namespace
