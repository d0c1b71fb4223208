// Requests that other sites' pages make the administrator's browser send, or that reach the utility under a name it does not serve: no action runs.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/cgi_test.h"

namespace {

const std::string kSave = "target=testform&act=saveform", kUnknown = "act=nosuch",
                  kEdit = "target=editor&act=editfile&file=x",
                  kChdir = "target=flist&act=chdir&dirlist=/usr";
const char *kSite = "HTTP_SEC_FETCH_SITE", *kOrigin = "HTTP_ORIGIN", *kHost = "HTTP_HOST",
           *kReferer = "HTTP_REFERER", *kAllowed = "TVQ_ALLOWED_HOSTS";
const char kOther[] = "The request came from another site and was ignored";
const char kHostRefused[] =
    "The request was sent to a host name this utility does not serve and was ignored";

struct Case {
  std::map<std::string, std::string> env;
  bool post;
  std::string fields;
  const char* refusal;  // the alert when the action does not run; nullptr when it runs
};

void ExpectOutcome(const Case& c) {
  TempDir dir;
  CgiRequest request;
  // The save carries the version of its file as its page does: none exists yet.
  (c.post ? request.body : request.query) = c.fields == kSave ? c.fields + "&version=-" : c.fields;
  request.env = c.env;
  const std::string page = RunCgi(CgiProgramPath(), dir.path(), request).Body();
  const auto has = [&page](const std::string& part) { return page.find(part) != page.npos; };
  SCOPED_TRACE(c.fields + (c.post ? " posted " : " linked ") + ::testing::PrintToString(c.env));
  EXPECT_EQ(dir.Exists("searchform.htm") || has("<b>/usr/</b>") || has("EDIT x</b>"),
            c.refusal == nullptr && c.fields != kUnknown);
  for (const char* refusal : {kOther, kHostRefused}) {
    EXPECT_EQ(has(" alert('" + std::string(refusal) + "');\n"), refusal == c.refusal);
  }
  EXPECT_TRUE(c.fields != kSave || has("<b>TEST SEARCH FORM</b>"));
}

TEST(CrossSiteTest, OnlyTheUtilitysOwnPagesRunActions) {
  for (const Case& c : std::vector<Case>{
           {{}, true, kSave, nullptr}, {{}, false, kChdir, nullptr}, {{}, false, kEdit, nullptr},
           {{{kSite, "same-origin"}, {kHost, "h:8"}, {kOrigin, "http://h:8"}}, true, kSave, nullptr},
           {{{kSite, "none"}, {kHost, "h:8"}, {kOrigin, "https://h:8"}}, true, kSave, nullptr},
           {{{kSite, "cross-site"}}, true, kSave, kOther},
           {{{kSite, "same-site"}}, true, kSave, kOther},
           {{{kSite, "cross-site"}}, false, kChdir, kOther},
           {{{kSite, "cross-site"}}, true, kUnknown, nullptr},
           {{{kOrigin, "http://h:8"}}, true, kSave, kOther},
           {{{kHost, "h:8"}, {kOrigin, "http://evil"}}, true, kEdit, kOther},
           {{{kHost, "h:8"}, {kOrigin, "null"}}, true, kSave, kOther},
           {{{kHost, "h:8"}, {kOrigin, "HTTP://h:8"}}, true, kSave, kOther},
           {{{kHost, "h:8"}, {kOrigin, "http://h:80"}}, true, kSave, kOther},
           {{}, false, kSave, kOther},
           {{{kSite, "same-origin"}}, false, kSave, kOther},
           {{{"REQUEST_METHOD", "post"}}, true, kSave, kOther}}) {
    ExpectOutcome(c);
  }
}

// The same host however the browser and the server spell it: letter case, default ports.
TEST(CrossSiteTest, HostsCompareWithoutCaseAndWithTheDefaultPort) {
  for (const Case& c : std::vector<Case>{
           {{{kHost, "Site.Example:8"}, {kOrigin, "http://site.example:8"}}, true, kSave, nullptr},
           {{{kHost, "site.example:80"}, {kOrigin, "http://site.example"}}, true, kSave, nullptr},
           {{{kHost, "site.example"}, {kOrigin, "http://site.example:80"}}, true, kSave, nullptr},
           {{{kHost, "site.example:443"}, {kOrigin, "https://site.example"}}, true, kSave, nullptr},
           {{{kHost, "[::1]:8"}, {kOrigin, "http://[::1]:8"}}, true, kSave, nullptr},
           {{{kHost, "site.example:443"}, {kOrigin, "http://site.example"}}, true, kSave, kOther},
           {{{kHost, "site.example"}, {kOrigin, "http://site.example:8"}}, true, kSave, kOther},
           {{{kHost, "site.example"}, {kOrigin, "http://site.example.evil"}}, true, kSave, kOther},
           {{{kHost, "site.example"}, {kOrigin, "http://site.example:0080x"}}, true, kSave, kOther},
           // Over TLS, a plain page of the same host is another origin.
           {{{kHost, "site.example"}, {"HTTPS", "on"}, {kOrigin, "http://site.example"}}, true,
            kSave, kOther},
           {{{kHost, "site.example"}, {"HTTPS", "on"}, {kOrigin, "https://site.example:443"}},
            true, kSave, nullptr}}) {
    ExpectOutcome(c);
  }
}

// Without an Origin the Referer, when there is one, must name this host.
TEST(CrossSiteTest, RefererStandsInForAMissingOrigin) {
  for (const Case& c : std::vector<Case>{
           {{{kHost, "h:8"}, {kReferer, "http://h:8/cgi-bin/tvqconf.cgi?target=main"}}, true,
            kSave, nullptr},
           {{{kHost, "H"}, {kReferer, "http://h:80#top"}}, true, kSave, nullptr},
           {{{kHost, "h:8"}, {kReferer, "http://evil/h:8/"}}, true, kSave, kOther},
           {{{kHost, "h:8"}, {kReferer, "http://h:8@evil/"}}, true, kSave, kOther},
           {{{kHost, "h:8"}, {kReferer, "h:8/page"}}, true, kSave, kOther},
           {{{kReferer, "http://h:8/"}}, true, kSave, kOther},
           {{{kHost, "h:8"}, {kReferer, "http://evil/"}}, false, kChdir, kOther},
           // The Origin decides when both are sent.
           {{{kHost, "h:8"}, {kOrigin, "http://h:8"}, {kReferer, "http://evil/"}}, true, kSave,
            nullptr}}) {
    ExpectOutcome(c);
  }
}

// With TVQ_ALLOWED_HOSTS set, a name that an attacker's DNS points here runs nothing,
// even when Origin and Host agree.
TEST(CrossSiteTest, AllowedHostsBoundTheNamesServed) {
  const std::string allowed = "site.example, 127.0.0.1:8080";
  for (const Case& c : std::vector<Case>{
           {{{kAllowed, allowed}, {kHost, "evil.example"}, {kOrigin, "http://evil.example"}}, true,
            kSave, kHostRefused},
           {{{kAllowed, allowed}, {kHost, "SITE.example:8"}, {kOrigin, "http://site.example:8"}},
            true, kSave, nullptr},
           {{{kAllowed, allowed}, {kHost, "127.0.0.1:8080"}}, true, kSave, nullptr},
           {{{kAllowed, allowed}, {kHost, "127.0.0.1"}}, true, kSave, kHostRefused},
           {{{kAllowed, allowed}, {kHost, "127.0.0.1:9090"}}, false, kChdir, kHostRefused},
           {{{kAllowed, allowed}}, true, kSave, kHostRefused},
           {{{kAllowed, ""}, {kHost, "site.example"}}, true, kSave, kHostRefused},
           {{{kAllowed, allowed}, {kHost, "evil.example"}}, false, kUnknown, nullptr}}) {
    ExpectOutcome(c);
  }
}

}  // namespace
