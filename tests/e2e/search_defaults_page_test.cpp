// The search defaults page as the browser receives it: boxes, values, languages, scripts.
#include <gtest/gtest.h>

#include <regex>
#include <vector>

#include "support/cgi_test.h"

namespace {

// The include check boxes in page order.
const char* const kIncludeBoxes[] = {
    "islanguage", "isfilelist",    "ishelpfile",     "islayouts",     "islayoutl",
    "issitemap",  "issiterooturl", "isworkdir",      "isaction",      "isquotes",
    "isquotesize", "isquotesperdoc", "ismethod",     "isrelevancy",   "isterms",
    "iscasesensitive", "isallowsitemap", "isfileext", "isexclext",    "iswarnings",
    "isrepwiths", "isrepwithl",    "isplaintext"};

class SearchDefaultsPageTest : public CgiTest {
 protected:
  std::string Page() { return Get("target=sdef").Body(); }

  // Whether the check box `name` is checked; fails the test when it is missing.
  static bool Checked(const std::string& page, const std::string& name) {
    const std::string box =
        "<input type=\"checkbox\" name=\"" + name + "\" id=\"" + name + "\" value=\"\"";
    const auto at = page.find(box);
    EXPECT_NE(at, std::string::npos) << name;
    return at != std::string::npos && page.compare(at + box.size(), 9, " checked>") == 0;
  }

  static std::vector<std::string> CheckedIncludeBoxes(const std::string& page) {
    std::vector<std::string> checked;
    for (const char* box : kIncludeBoxes) {
      if (Checked(page, box)) checked.push_back(box);
    }
    return checked;
  }
};

TEST_F(SearchDefaultsPageTest, NoConfigurationShowsDefaultsUnchecked) {
  dir.Write("ENGLISH.TVL.tvl", "");
  dir.Write("english.tvl", "");
  const std::string page = Page();
  EXPECT_TRUE(CheckedIncludeBoxes(page).empty());
  const char* const snippets[] = {
      "<option value=\"english\" selected>english</option>\n",
      "<option value=\"ENGLISH.TVL\">ENGLISH.TVL</option>\n",
      "name=\"filelist\" aria-labelledby=\"isfilelist-label\" size=40 maxlength=260 value=\"filelist.txt\">",
      "name=\"helpfile\" aria-labelledby=\"ishelpfile-label\" size=40 maxlength=260 value=\"help.htm\">",
      "name=\"layouts\" aria-labelledby=\"islayouts-label\" size=40 maxlength=260 value=\"layout_s.htm\">",
      "name=\"layoutl\" aria-labelledby=\"islayoutl-label\" size=40 maxlength=260 value=\"layout_l.htm\">",
      "name=\"sitemap\" aria-labelledby=\"issitemap-label\" size=40 maxlength=260 value=\"sitemap.htm\">",
      "name=\"siterooturl\" aria-labelledby=\"issiterooturl-label\" size=40 maxlength=100 value=\"http://",
      "name=\"workdir\" aria-labelledby=\"isworkdir-label\" size=40 maxlength=260 value=\"workdir\">",
      "<option value=\"SEARCH\" selected>Perform search</option>\n",
      "name=\"quotes\" aria-labelledby=\"isquotes-label\" size=5 maxlength=4 value=\"25\">\n<br>(must be in range 10..1000)",
      "name=\"quotesize\" aria-labelledby=\"isquotesize-label\" size=5 maxlength=5 value=\"1000\">\n<br>(must be in range 100..10000)",
      "name=\"quotesperdoc\" aria-labelledby=\"isquotesperdoc-label\" size=5 maxlength=2 value=\"5\">\n<br>(must be in range 1..15)",
      "<option value=\"FUZZY\" selected>Subject Search</option>\n",
      "name=\"relevancy\" aria-labelledby=\"isrelevancy-label\" size=5 maxlength=3 value=\"40\">\n<br>(must be in range 0..100)",
      "<option value=\"ALL\" selected>Search for all terms</option>\n",
      "<option value=\"NO\" selected>Case insensitive</option>\n",
      "name=\"allowsitemap\" value=\"\" checked> Allow generating the Site Map",
      "name=\"fileext\" aria-labelledby=\"isfileext-label\" size=40 maxlength=100 value=\"\">",
      "name=\"exclext\" aria-labelledby=\"isexclext-label\" size=40 maxlength=100 value=\"\">",
      "name=\"warnings\" value=\"\" checked> Warn users of inappropriate language",
      "<select name=\"repwiths\" aria-labelledby=\"isrepwiths-label\">\n<option value=\"Q\" selected>",
      "<option value=\"DQ\" selected>Page summary or quotations</option>\n<option value=\"DB\">"
      "Page summary or beginning</option>\n</select>",
      "name=\"plaintext\" value=\"\"> Show plain text only",
      "<input type=\"hidden\" name=\"ini\" value=\"tovimarq.ini\">",
      "<form name=\"editdef\" action=\"tvqconf.cgi\" method=\"POST\" onSubmit=\"return false;\">",
      "<b>tovimarq.ini</b>",
      "<a href=\"tvqconf.cgi?target=main\"><b>Return to Main Menu</b></a>",
  };
  for (const char* snippet : snippets) EXPECT_NE(page.find(snippet), std::string::npos) << snippet;
}

// One line per option, and the include box that it checks.
struct PresenceCase {
  const char* line;
  const char* box;
};

class IncludeBoxTest : public SearchDefaultsPageTest,
                       public ::testing::WithParamInterface<PresenceCase> {};

TEST_P(IncludeBoxTest, OnlyTheNamedOptionIsChecked) {
  dir.Write("tovimarq.ini", std::string("# comment\n") + GetParam().line + "\n");
  EXPECT_EQ(CheckedIncludeBoxes(Page()), std::vector<std::string>{GetParam().box});
}

INSTANTIATE_TEST_SUITE_P(
    EveryKey, IncludeBoxTest,
    ::testing::Values(
        PresenceCase{"LANGUAGE=x.tvl", "islanguage"}, PresenceCase{"FILELIST=f", "isfilelist"},
        PresenceCase{"HELPFILE=h", "ishelpfile"}, PresenceCase{"SUBJECTLAYOUT=s", "islayouts"},
        PresenceCase{"LITERALLAYOUT=l", "islayoutl"},
        PresenceCase{"SITEMAPLAYOUT=m", "issitemap"},
        PresenceCase{"SITEROOTURL=http://h", "issiterooturl"},
        PresenceCase{"WORKDIR=w", "isworkdir"}, PresenceCase{"help=", "isaction"},
        PresenceCase{"QUOTES=bad", "isquotes"}, PresenceCase{"QUOTESIZE=1", "isquotesize"},
        PresenceCase{"QUOTESPERDOC=1", "isquotesperdoc"},
        PresenceCase{"METHOD=?", "ismethod"}, PresenceCase{"RELEVANCY=1", "isrelevancy"},
        PresenceCase{"TERMS=FUZZY", "isterms"}, PresenceCase{"CASE=x", "iscasesensitive"},
        PresenceCase{"ALLOWSITEMAP=NO", "isallowsitemap"},
        PresenceCase{"FILEEXTENSIONS=", "isfileext"},
        PresenceCase{"EXCLUDEFILEEXTENSIONS=x", "isexclext"},
        PresenceCase{"WARNINGS=NO", "iswarnings"},
        PresenceCase{"SUBJECTREPORTWITH=Q", "isrepwiths"},
        PresenceCase{"LITERALREPORTWITH=Q", "isrepwithl"},
        PresenceCase{"PLAINTEXT=YES", "isplaintext"}));

// A click on an option's name ticks its include box, and the name is what
// assistive technology calls the value control by.
TEST_F(SearchDefaultsPageTest, EachOptionNameLabelsItsBoxAndValue) {
  const std::string page = Page();
  for (const char* box : kIncludeBoxes) {
    const std::string label = "<label for=\"" + std::string(box) + "\" id=\"" + box + "-label\">";
    const std::size_t at = page.find(label);
    ASSERT_NE(at, std::string::npos) << box;
    const std::string value = std::string(box + 2);
    const std::size_t control = page.find(" name=\"" + value + "\"", at);
    const std::size_t named =
        page.find(" aria-labelledby=\"" + std::string(box) + "-label\"", at);
    const bool checkBox = page.compare(control - 29, 29, "<label><input type=\"checkbox\"") == 0;
    // A value check box is named by the caption that follows it instead.
    EXPECT_TRUE(checkBox || named == control + value.size() + 8) << box;
  }
}

TEST_F(SearchDefaultsPageTest, ConfiguredValuesAreSelectedAndChecked) {
  dir.Write("tovimarq.ini",
            "HELP=\nMETHOD=EXACT\nTERMS=PHRASE\nCASE=SENSITIVE\nSUBJECTREPORTWITH=DB\n"
            "LITERALREPORTWITH=b\nALLOWSITEMAP=NO\nWARNINGS=NO\nPLAINTEXT=YES\nQUOTES=77\n"
            "FILELIST=my%20list.txt\nFILEEXTENSIONS=htm;html\n");
  const std::string page = Page();
  const char* const snippets[] = {
      "<option value=\"SEARCH\">Perform search</option>\n"
      "<option value=\"SITEMAP\">Generate the site map</option>\n"
      "<option value=\"HELP\" selected>Respond with the contents of the HELP file</option>\n",
      "<option value=\"EXACT\" selected>Literal Search</option>",
      "<option value=\"PHRASE\" selected>Search for the entire phrase</option>",
      "<option value=\"YES\" selected>Case sensitive</option>",
      "<option value=\"DB\" selected>Page summary or beginning</option>\n</select>",
      "<option value=\"B\" selected>Beginning of each page found</option>",
      "name=\"allowsitemap\" value=\"\"> Allow",
      "name=\"warnings\" value=\"\"> Warn",
      "name=\"plaintext\" value=\"\" checked> Show",
      "name=\"quotes\" aria-labelledby=\"isquotes-label\" size=5 maxlength=4 value=\"77\">",
      "name=\"filelist\" aria-labelledby=\"isfilelist-label\" size=40 maxlength=260 value=\"my list.txt\">",
      "name=\"fileext\" aria-labelledby=\"isfileext-label\" size=40 maxlength=100 value=\"htm;html\">",
  };
  for (const char* snippet : snippets) EXPECT_NE(page.find(snippet), std::string::npos) << snippet;
}

TEST_F(SearchDefaultsPageTest, LanguageFilesOnlyLowerCaseExtensionAndNoDirectories) {
  dir.Write("tovimarq.ini", "LANGUAGE=GERMAN.TVL\n");
  dir.Write("german.tvl", "");
  dir.Write("x.TVL", "");
  dir.Write(".tvl", "");
  dir.Write("notes.txt", "");
  dir.MakeDir("y.tvl");
  const std::string page = Page();
  const auto start = page.find("<select name=\"language\" aria-labelledby=\"islanguage-label\">\n");
  ASSERT_NE(start, std::string::npos);
  const auto end = page.find("</select>", start);
  EXPECT_EQ(page.substr(start, end - start),
            "<select name=\"language\" aria-labelledby=\"islanguage-label\">\n<option value=\"german\" selected>german</option>\n");
}

TEST_F(SearchDefaultsPageTest, OptionAfterASelectedOneIsNeverSelected) {
  dir.Write("tovimarq.ini", "LANGUAGE=german.tvl\n");
  dir.Write("german.tvl", "");
  dir.Write("GERMAN.tvl", "");
  const std::string page = Page();
  const auto start = page.find("<select name=\"language\" aria-labelledby=\"islanguage-label\">");
  const std::string select = page.substr(start, page.find("</select>", start) - start);
  EXPECT_EQ(select.find(" selected>"), select.rfind(" selected>"));
  EXPECT_NE(select.find(" selected>"), std::string::npos);
}

TEST_F(SearchDefaultsPageTest, ValuesAreEscapedInTheMarkup) {
  dir.Write("tovimarq.ini", "WORKDIR=a%22%3Cb%3E%26c\nLANGUAGE=a&b.tvl\n");
  dir.Write("a&b.tvl", "");
  const std::string page = Page();
  EXPECT_NE(page.find("name=\"workdir\" aria-labelledby=\"isworkdir-label\" size=40 maxlength=260 value=\"a&quot;&lt;b&gt;&amp;c\">"),
            std::string::npos);
  EXPECT_NE(page.find("<option value=\"a&amp;b\" selected>a&amp;b</option>"), std::string::npos);
}

TEST_F(SearchDefaultsPageTest, FormElementsInTheOrderTheScriptCounts) {
  const std::string page = Page();
  const auto start = page.find("<form name=\"editdef\"");
  const std::string form = page.substr(start, page.find("</form>") - start);
  std::vector<std::string> names;
  const std::regex control("<(input|select)[^>]*>");
  const std::regex name(" name=\"([^\"]*)\"");
  for (std::sregex_iterator it(form.begin(), form.end(), control), end; it != end; ++it) {
    std::smatch found;
    const std::string tag = it->str();
    names.push_back(std::regex_search(tag, found, name) ? found[1].str() : "");
  }
  std::vector<std::string> expected = {"target"};
  for (const char* box : kIncludeBoxes) {
    expected.push_back(box);
    expected.push_back(box + 2);
  }
  expected.insert(expected.end(), {"save", "", "ini", "version", "act"});
  EXPECT_EQ(names, expected);
  EXPECT_NE(form.find("<input type=\"button\" name=\"save\" value=\"Save changes\" "
                      "onClick=\"feditdef();\">"),
            std::string::npos);
  EXPECT_NE(form.find("<input type=\"reset\" value=\"Reset form\">"), std::string::npos);
  EXPECT_NE(form.find("<input type=\"hidden\" name=\"act\" value=\"setdefs\">"),
            std::string::npos);
}

TEST_F(SearchDefaultsPageTest, ScriptNamesEveryValueElementAndKeepsItsMessages) {
  const std::string page = Page();
  const std::string head = page.substr(0, page.find("</head>"));
  const char* const names[] = {
      "Language", "File List", "End-User Help file", "Report template for Subject Search",
      "Report template for Literal Search", "Site Map template",
      "Web server's Internet address", "Directory for temporary files and indexes",
      "Default action", "Number of quotes to generate", "Quotation size",
      "Max. number of quotes from the same file", "Search method",
      "Minimum percentage of relevancy", "Type of Literal Search", "Case sensitivity",
      "Generating site maps", "File extensions", "Exclude file extensions",
      "Language warnings", "Display hits as (Subject Search)",
      "Display hits as (Literal Search)", "Quotation format"};
  int element = 2;
  for (const char* name : names) {
    const std::string entry =
        "optionNames[" + std::to_string(element) + "] = \"" + name + "\";\n";
    EXPECT_NE(head.find(entry), std::string::npos) << entry;
    element += 2;
  }
  const char* const texts[] = {
      "checkedTexts[34] = \"Allowed\";",      "uncheckedTexts[34] = \"Not allowed\";",
      "checkedTexts[40] = \"Enabled\";",      "uncheckedTexts[40] = \"Disabled\";",
      "checkedTexts[46] = \"Plain text\";",   "uncheckedTexts[46] = \"Preserve formatting\";",
      "alert(\"None of the options were modified.\");",
      "\"You have changed the following options:\\n\\n\" + changes",
      "\"\\nClick OK to apply the changes.\"",
      "\" added: \"",                        "\" removed\\n\"",
      "\" set to: \"",                       "function feditdef()",
      "ranges[20] = [10, 1000];",            "ranges[28] = [0, 100];",
      "alert(name + \" must be a whole number\");",
  };
  for (const char* text : texts) EXPECT_NE(head.find(text), std::string::npos) << text;
}

}  // namespace
