// Requests that other sites' pages make the administrator's browser send: no action runs.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/cgi_test.h"

namespace {

const std::string kSave = "target=testform&act=saveform", kUnknown = "act=nosuch",
                  kEdit = "target=editor&act=editfile&file=x",
                  kChdir = "target=flist&act=chdir&dirlist=/usr";
const char *kSite = "HTTP_SEC_FETCH_SITE", *kOrigin = "HTTP_ORIGIN", *kHost = "HTTP_HOST";

class CrossSiteTest : public CgiTest {};

TEST_F(CrossSiteTest, OnlyTheUtilitysOwnPagesRunActions) {
  struct Case { std::map<std::string, std::string> env; bool post; std::string fields; bool ran; };
  for (const Case& c : std::vector<Case>{
           {{}, true, kSave, true}, {{}, false, kChdir, true}, {{}, false, kEdit, true},
           {{{kSite, "same-origin"}, {kHost, "h:8"}, {kOrigin, "http://h:8"}}, true, kSave, true},
           {{{kSite, "none"}, {kHost, "h:8"}, {kOrigin, "https://h:8"}}, true, kSave, true},
           {{{kSite, "cross-site"}}, true, kSave, false},
           {{{kSite, "same-site"}}, true, kSave, false},
           {{{kSite, "cross-site"}}, false, kChdir, false},
           {{{kSite, "cross-site"}}, true, kUnknown, false},
           {{{kOrigin, "http://h:8"}}, true, kSave, false},
           {{{kHost, "h:8"}, {kOrigin, "http://evil"}}, true, kEdit, false},
           {{{kHost, "h:8"}, {kOrigin, "null"}}, true, kSave, false},
           {{{kHost, "h:8"}, {kOrigin, "HTTP://h:8"}}, true, kSave, false},
           {{{kHost, "h:8"}, {kOrigin, "http://h:80"}}, true, kSave, false},
           {{}, false, kSave, false},
           {{{kSite, "same-origin"}}, false, kSave, false},
           {{{"REQUEST_METHOD", "post"}}, true, kSave, false}}) {
    std::filesystem::remove(dir.Path("searchform.htm"));
    CgiRequest request;
    // The save carries the version of the saved form, as its page does.
    (c.post ? request.body : request.query) =
        c.fields == kSave ? c.fields + "&" + VersionField("searchform.htm") : c.fields;
    request.env = c.env;
    const std::string page = Run(request).Body();
    const auto has = [&page](const std::string& part) { return page.find(part) != page.npos; };
    SCOPED_TRACE(c.fields + (c.post ? " posted " : " linked ") + ::testing::PrintToString(c.env));
    EXPECT_EQ(dir.Exists("searchform.htm") || has("<b>/usr/</b>") || has("EDIT x</b>"), c.ran);
    EXPECT_EQ(has("alert('The request came from another site and was ignored');"),
              !c.ran && c.fields != kUnknown);
    EXPECT_TRUE(c.fields != kSave || has("<b>TEST SEARCH FORM</b>"));
  }
}

}  // namespace
