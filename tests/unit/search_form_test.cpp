// The sample search form: the engine's address and the fields the engine reads.
#include "testform/search_form.h"

#include <gtest/gtest.h>

#include <regex>

#include "app/app_state.h"
#include "config/config_reader.h"

namespace {

struct UrlCase {
  std::optional<std::string> scriptName;
  std::string expected;
};

class EngineUrlTest : public ::testing::TestWithParam<UrlCase> {};

TEST_P(EngineUrlTest, ReplacesTheFirstUtilityPath) {
  EXPECT_EQ(EngineUrl(GetParam().scriptName), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EngineUrlTest,
    ::testing::Values(
        UrlCase{std::nullopt, "../tovimarq"}, UrlCase{"", "../tovimarq"},
        UrlCase{"/cgi-bin/tovimarqdata/tvqconf.cgi", "/cgi-bin/tovimarq.cgi"},
        UrlCase{"/tovimarqdata/tvqconf", "/tovimarq"},
        UrlCase{"/cgi-bin/admin/tvqconf.cgi", "../tovimarq"},
        UrlCase{"/cgi-bin/TOVIMARQDATA/tvqconf.cgi", "../tovimarq"},
        UrlCase{"tovimarqdata/tvqconf.cgi", "../tovimarq"},
        UrlCase{"/a/tovimarqdata/tvqconf/tovimarqdata/tvqconf.cgi",
                "/a/tovimarq/tovimarqdata/tvqconf.cgi"},
        UrlCase{"/x/tovimarqdata/tvqconfig.pl", "/x/tovimarqig.pl"}));

// A state whose configuration holds the defaults and then the given lines.
AppState Configured(const std::vector<std::string>& lines = {}) {
  AppState state;
  AssignSearchDefaults(state.searchConfig);
  for (const std::string& line : lines) ParseConfigLine(state.searchConfig, line);
  return state;
}

class BuildSearchFormTest : public ::testing::Test {
 protected:
  BuildSearchFormTest() { state.env.scriptName = "/cgi-bin/tovimarqdata/tvqconf.cgi"; }
  AppState state = Configured();
};

TEST_F(BuildSearchFormTest, RowStartsWithTheEngineAndTheConfiguration) {
  const std::string form = BuildSearchForm(state, false);
  EXPECT_EQ(form.rfind("<tr>\n<form action=\"/cgi-bin/tovimarq.cgi\" method=\"POST\">\n"
                       "<input type=\"hidden\" name=\"config\" value=\"tovimarq.ini\">\n"
                       "<td align=\"center\">\n\n<table border=0 cellpadding=2>\n<tr><td>\n",
                       0),
            0u);
  const std::string end = "</td></tr></table>\n\n</td>\n</form>\n</tr>\n";
  ASSERT_GE(form.size(), end.size());
  EXPECT_EQ(form.substr(form.size() - end.size()), end);
}

TEST_F(BuildSearchFormTest, NewWindowAddsTheTargetOnly) {
  const std::string inPlace = BuildSearchForm(state, false);
  const std::string newWindow = BuildSearchForm(state, true);
  EXPECT_EQ(inPlace.find("target="), std::string::npos);
  std::string expected = inPlace;
  expected.insert(expected.find("method=\"POST\"") + 13, " target=\"_blank\"");
  EXPECT_EQ(newWindow, expected);
}

TEST_F(BuildSearchFormTest, ValuesAreEscaped) {
  state.currentConfig = "a\"><b>.ini";
  state.env.scriptName = "/q&a/tovimarqdata/tvqconf";
  const std::string form = BuildSearchForm(state, false);
  EXPECT_NE(form.find("action=\"/q&amp;a/tovimarq\""), std::string::npos);
  EXPECT_NE(form.find("value=\"a&quot;&gt;&lt;b&gt;.ini\""), std::string::npos);
}

// Every field the engine reads, with its options and its default.
struct FieldCase {
  std::string name;
  std::vector<std::string> options;  // value attribute, else text, in order
  std::string selected;
  std::vector<std::string> configLines = {};
};

// The options of the select `name`: value attribute, or text when there is none.
std::vector<std::string> OptionsOf(const std::string& form, const std::string& name,
                                   std::string& selected) {
  const std::size_t start = form.find("<select name=\"" + name + "\" id=\"" + name + "\"");
  const std::string select = form.substr(start, form.find("</select>", start) - start);
  static const std::regex option("<option( value=\"([^\"]*)\")?( selected)?>([^<]*)</option>");
  std::vector<std::string> options;
  for (std::sregex_iterator it(select.begin(), select.end(), option), end; it != end; ++it) {
    const std::string sent = (*it)[1].matched ? (*it)[2].str() : (*it)[4].str();
    options.push_back(sent);
    if ((*it)[3].matched) selected += sent;
  }
  return options;
}

class SearchFormFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(SearchFormFieldTest, OffersTheOptionsWithOneDefault) {
  const std::string form = BuildSearchForm(Configured(GetParam().configLines), false);
  std::string selected;
  EXPECT_EQ(OptionsOf(form, GetParam().name, selected), GetParam().options);
  EXPECT_EQ(selected, GetParam().selected);
}

INSTANTIATE_TEST_SUITE_P(
    Selects, SearchFormFieldTest,
    ::testing::Values(
        FieldCase{"quotes", {"10", "25", "50", "100", "250", "500", "1000"}, "25"},
        FieldCase{"reportwith", {"Q", "B", "DQ", "DB"}, "Q"},
        FieldCase{"quotesize", {"100", "500", "1000", "2500", "5000"}, "1000"},
        FieldCase{"quotesperdoc",
                  {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14",
                   "15"},
                  "5"},
        FieldCase{"relevancy", {"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}, "40"},
        FieldCase{"terms", {"any", "all", "phrase"}, "all"},
        FieldCase{"case", {"insensitive", "sensitive"}, "insensitive"}));

INSTANTIATE_TEST_SUITE_P(
    Configured, SearchFormFieldTest,
    ::testing::Values(
        FieldCase{"quotes", {"10", "25", "40", "50", "100", "250", "500", "1000"}, "40",
                  {"QUOTES=40"}},
        FieldCase{"relevancy", {"0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100"},
                  "0", {"RELEVANCY=-3"}},
        FieldCase{"reportwith", {"Q", "B", "DQ", "DB"}, "B",
                  {"SUBJECTREPORTWITH=DB", "LITERALREPORTWITH=B", "METHOD=EXACT"}},
        FieldCase{"terms", {"any", "all", "phrase"}, "phrase", {"TERMS=PHRASE"}},
        FieldCase{"case", {"insensitive", "sensitive"}, "sensitive", {"CASE=sensitive"}}));

TEST(SearchFormInputsTest, TextCheckboxRadiosAndButtons) {
  const std::string form = BuildSearchForm(Configured(), false);
  for (const char* input :
       {"<input type=\"text\" name=\"query\" id=\"query\" size=45 maxlength=255 value=\"\">",
        "<label><input type=\"checkbox\" name=\"plaintext\" value=\"yes\"> Show plain text only "
        "in each selection</label>",
        "<label><input type=\"radio\" name=\"method\" value=\"fuzzy\" checked> Subject Search "
        "(smart fuzzy)</label> with",
        "<label><input type=\"radio\" name=\"method\" value=\"exact\"> Literal Search "
        "(exact)</label>",
        "<input type=\"submit\" name=\"search\" value=\"Search\">",
        "<input type=\"submit\" name=\"help\" value=\"Help\">",
        "<input type=\"submit\" name=\"sitemap\" value=\"Site Map\">"}) {
    EXPECT_NE(form.find(input), std::string::npos) << input;
  }
  EXPECT_EQ(form.find("checked"), form.rfind("checked"));
}

// Assistive technology names each select and text field by a label that
// points at its id, or by its own aria-label.
TEST(SearchFormInputsTest, EverySelectAndTextFieldIsNamed) {
  const std::string form = BuildSearchForm(Configured(), false);
  static const std::regex field(
      "<(select|input type=\"text\") name=\"([^\"]*)\"( id=\"([^\"]*)\")?( aria-label=\"[^\"]+\")?");
  int fields = 0;
  for (std::sregex_iterator it(form.begin(), form.end(), field), end; it != end; ++it) {
    ++fields;
    const std::string name = (*it)[2];
    if ((*it)[5].matched) continue;
    ASSERT_TRUE((*it)[4].matched) << name << " has neither id nor aria-label";
    EXPECT_NE(form.find("<label for=\"" + (*it)[4].str() + "\">"), std::string::npos) << name;
  }
  EXPECT_EQ(fields, 8);
}

}  // namespace
