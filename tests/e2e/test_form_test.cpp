// The test search form page and the saved sample form "searchform.htm".
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/cgi_test.h"

namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

class TestFormTest : public CgiTest {
 protected:
  // Posts the form fields, as the pages do, with the version of the saved form they show.
  CgiResponse Request(const std::string& fields,
                      const std::optional<std::string>& scriptName = std::nullopt) {
    CgiRequest request;
    request.body = fields + "&" + VersionField("searchform.htm");
    if (scriptName) request.env["SCRIPT_NAME"] = *scriptName;
    return Run(request);
  }
};

struct AddressCase {
  std::optional<std::string> scriptName;
  std::string engine;
};

class TestFormAddressTest : public TestFormTest,
                            public ::testing::WithParamInterface<AddressCase> {};

TEST_P(TestFormAddressTest, FormPostsToTheEngineInANewWindow) {
  const std::string page = Request("target=testform", GetParam().scriptName).Body();
  EXPECT_TRUE(Has(page, "<tr>\n<form action=\"" + GetParam().engine +
                            "\" method=\"POST\" target=\"_blank\">\n"
                            "<input type=\"hidden\" name=\"config\" value=\"tovimarq.ini\">\n"));
}

INSTANTIATE_TEST_SUITE_P(
    ScriptNames, TestFormAddressTest,
    ::testing::Values(AddressCase{std::nullopt, "../tovimarq"},
                      AddressCase{"/cgi-bin/tovimarqdata/tvqconf.cgi", "/cgi-bin/tovimarq.cgi"},
                      AddressCase{"/cgi-bin/search-admin.cgi", "../tovimarq"}));

TEST_F(TestFormTest, PageFramesTheFormWithTheSaveButton) {
  const std::string page = Request("target=testform").Body();
  EXPECT_TRUE(Has(page, "<b>TEST SEARCH FORM</b>"));
  EXPECT_TRUE(Has(page, "<tr>\n<td nowrap>\n <font color=\"#800000\">Currently selected "
                        "configuration file:</font> <b>tovimarq.ini</b>\n</td>\n</tr>\n"
                        "<tr>\n<td>\n The fields of this form start from the values of the "
                        "selected\n configuration file; change them here to try other values.\n"
                        "</td>\n</tr>\n<tr>\n<form action=\""));
  EXPECT_TRUE(Has(page, "</form>\n</tr>\n<tr>\n<form action=\"tvqconf.cgi\" method=\"POST\">\n"
                        "<td align=\"center\">\n"
                        " <input type=\"hidden\" name=\"target\" value=\"testform\">\n"
                        " <input type=\"hidden\" name=\"act\" value=\"saveform\">\n"));
  EXPECT_TRUE(Has(page, "<a href=\"tvqconf.cgi?target=main\"><b>Return to Main Menu</b></a>\n"
                        "</td>\n</tr>\n</table>\n</body>\n</html>"));
}

TEST_F(TestFormTest, SavedFileHoldsThePageAroundTheFormWithoutTarget) {
  dir.Write("tovimarq.ini", "QUOTES=40\nMETHOD=EXACT\nPLAINTEXT=YES\n");
  const std::string script = "/cgi-bin/tovimarqdata/tvqconf.cgi";
  const std::string page = Request("target=testform&act=saveform", script).Body();
  EXPECT_EQ(Count(page, "alert("), 1u);
  EXPECT_TRUE(Has(page, " alert('Search form was saved successfully\\nThe file is " +
                            dir.Path("searchform.htm") +
                            ".\\nCopy it into your site to use it: the web server does not serve "
                            "the data folder.');\n"));

  // The form on the page, without its new-window target, is the form of the file.
  const std::size_t start = page.find("<tr>\n<form action=\"/cgi-bin/tovimarq.cgi\"");
  const std::string end = "</td></tr></table>\n\n</td>\n</form>\n</tr>\n";
  const std::size_t stop = page.find(end, start) + end.size();
  ASSERT_NE(start, std::string::npos);
  std::string form = page.substr(start, stop - start);
  form.erase(form.find(" target=\"_blank\""), 16);

  for (const char* set : {"<option selected>40</option>", "\"exact\" checked>", "\"yes\" checked>"})
    EXPECT_TRUE(Has(form, set)) << set;
  EXPECT_EQ(dir.Read("searchform.htm"),
            "<html><head><title>Tovimarq - sample search form</title></head>"
            "<body bgcolor=\"#c0c0c0\"><center>\n<h2>Sample Search Form</h2>\n"
            "<table border=1 cellspacing=0 cellpadding=4>\n" +
                form + "\n</table></center></body></html>\n");
}

TEST_F(TestFormTest, SavingAgainOverwritesWithOneMessage) {
  dir.Write("searchform.htm", std::string(10000, 'x'));
  const std::string page = Request("target=testform&act=saveform").Body();
  EXPECT_EQ(Count(page, "alert("), 1u);
  const std::string saved = dir.Read("searchform.htm");
  EXPECT_EQ(saved.rfind("<html><head>", 0), 0u);
  EXPECT_EQ(saved.find('x' + std::string(20, 'x')), std::string::npos);
}

TEST_F(TestFormTest, UnwritableDirectoryGivesTheWritingMessage) {
  chmod(dir.path().c_str(), 0555);
  CgiRequest request;
  request.body = "target=testform&act=saveform&" + VersionField("searchform.htm");
  request.unprivileged = true;
  const std::string page = Run(request).Body();
  EXPECT_TRUE(Has(page, " alert('Error writing file searchform.htm: Permission denied. "
                        "The file was not changed.');\n"));
  EXPECT_FALSE(dir.Exists("searchform.htm"));
}

}  // namespace
