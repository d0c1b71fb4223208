// The page frame as the browser receives it: header, title, warning, alerts, heading row.
#include <gtest/gtest.h>

#include "support/cgi_test.h"

namespace {

using FrameTest = CgiTest;

TEST_F(FrameTest, MainMenuFrameWithoutFields) {
  const CgiResponse response = Get("");
  EXPECT_EQ(response.Header(),
            "Content-type: text/html\nExpires: Thu, 01 Dec 1994 16:00:00 GMT\n\n");
  const std::string body = response.Body();
  EXPECT_EQ(body.rfind("<html><head>\n<title>Tovimarq(tm) configuration utility - Main Menu</title>\n", 0), 0u);
  EXPECT_NE(body.find("<td colspan=2 align=\"center\" bgcolor=\"#666666\">\n <font color=\"#ffffff\"><b>MAIN CONFIGURATION MENU</b></font>\n</td>\n</tr>\n"), std::string::npos);
  EXPECT_EQ(body.substr(body.size() - 15), "</body>\n</html>");
}

}  // namespace
