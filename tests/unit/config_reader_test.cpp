// The configuration file reader: key matching, value conversions, repeats, loading.
#include "config/config_reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <vector>

#include "app/app_state.h"
#include "config/config_text.h"
#include "support/temp_dir.h"

namespace {

// Every field and flag on its own line, so a mismatch names the field.
std::string Describe(const SearchConfig& c) {
  std::ostringstream text;
  text << "QUERY=" << c.QUERY << "\nLANGUAGE=" << c.LANGUAGE << "\nFILELIST=" << c.FILELIST
       << "\nSUBJECTLAYOUT=" << c.SUBJECTLAYOUT << "\nLITERALLAYOUT=" << c.LITERALLAYOUT
       << "\nSITEMAPLAYOUT=" << c.SITEMAPLAYOUT << "\nHELPFILE=" << c.HELPFILE
       << "\nSITEROOTURL=" << c.SITEROOTURL << "\nWORKDIR=" << c.WORKDIR
       << "\nFILEEXTENSIONS=" << c.FILEEXTENSIONS
       << "\nEXCLUDEFILEEXTENSIONS=" << c.EXCLUDEFILEEXTENSIONS << "\naction=" << c.action
       << "\nQUOTES=" << c.QUOTES << "\nQUOTESIZE=" << c.QUOTESIZE
       << "\nQUOTESPERDOC=" << c.QUOTESPERDOC << "\nMETHOD=" << c.METHOD
       << "\nRELEVANCY=" << c.RELEVANCY << "\nTERMS=" << c.TERMS << "\nCASE=" << c.CASE
       << "\nALLOWSITEMAP=" << c.ALLOWSITEMAP << "\nWARNINGS=" << c.WARNINGS
       << "\nSUBJECTREPORTWITH=" << c.SUBJECTREPORTWITH
       << "\nLITERALREPORTWITH=" << c.LITERALREPORTWITH << "\nPLAINTEXT=" << c.PLAINTEXT
       << "\npresent=";
  for (bool flag : c.present) text << (flag ? '1' : '0');
  return text.str();
}

SearchConfig Defaults() {
  SearchConfig config;
  AssignSearchDefaults(config);
  return config;
}

struct LineCase {
  const char* what;
  std::vector<std::string> lines;
  // Turns the defaults into the record the lines must give.
  std::function<void(SearchConfig&)> expect;
};

void PrintTo(const LineCase& c, std::ostream* out) { *out << c.what; }

class ParseConfigLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ParseConfigLineTest, GivesTheExpectedRecord) {
  SearchConfig config = Defaults();
  for (const std::string& line : GetParam().lines) ParseConfigLine(config, line);
  SearchConfig expected = Defaults();
  GetParam().expect(expected);
  EXPECT_EQ(Describe(config), Describe(expected));
}

using C = SearchConfig;

void Nothing(C&) {}

const LineCase kLineCases[] = {
    {"lower-case key, clamped up", {"quotes=5"},
     [](C& c) { c.QUOTES = 10; c.present[kFieldQuotes] = true; }},
    {"clamped down", {"QUOTESIZE=20000"},
     [](C& c) { c.QUOTESIZE = 10000; c.present[kFieldQuoteSize] = true; }},
    {"negative clamped", {"RELEVANCY=-3"},
     [](C& c) { c.RELEVANCY = 0; c.present[kFieldRelevancy] = true; }},
    {"per document clamped", {"QUOTESPERDOC=16"},
     [](C& c) { c.QUOTESPERDOC = 15; c.present[kFieldQuotesPerDoc] = true; }},
    {"leading blank accepted", {"QUOTES= 50"},
     [](C& c) { c.QUOTES = 50; c.present[kFieldQuotes] = true; }},
    {"leading tab and sign accepted", {"QUOTES=\t+30"},
     [](C& c) { c.QUOTES = 30; c.present[kFieldQuotes] = true; }},
    {"trailing blank invalid", {"QUOTES=50 "}, [](C& c) { c.present[kFieldQuotes] = true; }},
    {"empty number invalid", {"QUOTES="}, [](C& c) { c.present[kFieldQuotes] = true; }},
    {"letters invalid", {"QUOTES=abc"}, [](C& c) { c.present[kFieldQuotes] = true; }},
    {"digits then zero byte invalid", {std::string("QUOTES=50\0", 10)},
     [](C& c) { c.present[kFieldQuotes] = true; }},
    {"huge number clamped", {"QUOTES=99999999999999"},
     [](C& c) { c.QUOTES = 1000; c.present[kFieldQuotes] = true; }},
    {"invalid repeat resets to default", {"QUOTES=40", "QUOTES=x"},
     [](C& c) { c.present[kFieldQuotes] = true; }},
    {"relevancy invalid gives 40", {"RELEVANCY=20", "RELEVANCY=2x"},
     [](C& c) { c.present[kFieldRelevancy] = true; }},
    {"keyword in any case", {"METHOD=exact"},
     [](C& c) { c.METHOD = kMethodExact; c.present[kFieldMethod] = true; }},
    {"keyword with blank unrecognised but present", {"METHOD= EXACT"},
     [](C& c) { c.present[kFieldMethod] = true; }},
    {"unknown keyword keeps earlier one", {"METHOD=EXACT", "METHOD=bogus"},
     [](C& c) { c.METHOD = kMethodExact; c.present[kFieldMethod] = true; }},
    {"blank after key", {"QUERY =x"}, Nothing},
    {"blank before key", {" QUERY=x"}, Nothing},
    {"empty key", {"=x"}, Nothing},
    {"no equals sign", {"SEARCH", "QUOTES"}, Nothing},
    {"unknown key", {"COLOR=red"}, Nothing},
    {"query decoded", {"QUERY=a+b%21"},
     [](C& c) { c.QUERY = "a b!"; c.present[kFieldQuery] = true; }},
    {"decoded text", {"FILELIST=my%20list+1.txt"},
     [](C& c) { c.FILELIST = "my list 1.txt"; c.present[kFieldFileList] = true; }},
    {"malformed escape kept", {"FILELIST=100%.txt"},
     [](C& c) { c.FILELIST = "100%.txt"; c.present[kFieldFileList] = true; }},
    {"every decoded text key",
     {"SUBJECTLAYOUT=s%41", "LITERALLAYOUT=l+1", "SITEMAPLAYOUT=m%2f", "WORKDIR=w%20d",
      "HELPFILE=h%3D"},
     [](C& c) {
       c.SUBJECTLAYOUT = "sA";
       c.LITERALLAYOUT = "l 1";
       c.SITEMAPLAYOUT = "m/";
       c.WORKDIR = "w d";
       c.HELPFILE = "h=";
       for (ConfigField f : {kFieldSubjectLayout, kFieldLiteralLayout, kFieldSitemapLayout,
                             kFieldWorkDir, kFieldHelpFile}) {
         c.present[f] = true;
       }
     }},
    {"raw extensions", {"FILEEXTENSIONS=htm;html+x", "EXCLUDEFILEEXTENSIONS=a%20b"},
     [](C& c) {
       c.FILEEXTENSIONS = "htm;html+x";
       c.EXCLUDEFILEEXTENSIONS = "a%20b";
       c.present[kFieldFileExtensions] = true;
       c.present[kFieldExcludeFileExtensions] = true;
     }},
    {"empty text value", {"WORKDIR="},
     [](C& c) { c.WORKDIR = ""; c.present[kFieldWorkDir] = true; }},
    {"further equals signs belong to the value", {"LANGUAGE=German.tvl=x"},
     [](C& c) { c.LANGUAGE = "German.tvl=x"; c.present[kFieldLanguage] = true; }},
    {"action with empty value", {"SITEMAP="},
     [](C& c) { c.action = kActionSitemap; c.present[kFieldAction] = true; }},
    {"action whatever its value", {"SITEMAP=no"},
     [](C& c) { c.action = kActionSitemap; c.present[kFieldAction] = true; }},
    {"last action wins", {"HELP=", "SEARCH=x"},
     [](C& c) { c.action = kActionSearch; c.present[kFieldAction] = true; }},
    {"help action", {"help=1"},
     [](C& c) { c.action = kActionHelp; c.present[kFieldAction] = true; }},
    {"site map template is not the action", {"SITEMAPLAYOUT=x"},
     [](C& c) { c.SITEMAPLAYOUT = "x"; c.present[kFieldSitemapLayout] = true; }},
    {"address normalised, not decoded", {"SITEROOTURL= HTTP://WebHost"},
     [](C& c) { c.SITEROOTURL = "http://webhost/"; c.present[kFieldSiteRootUrl] = true; }},
    {"terms fuzzy sets the method only", {"METHOD=EXACT", "TERMS=fuzzy"},
     [](C& c) {
       c.METHOD = kMethodFuzzy;
       c.present[kFieldMethod] = true;
       c.present[kFieldTerms] = true;
     }},
    {"terms fuzzy leaves the method flag", {"TERMS=FUZZY"},
     [](C& c) { c.present[kFieldTerms] = true; }},
    {"later method overrides terms fuzzy", {"TERMS=FUZZY", "METHOD=EXACT"},
     [](C& c) {
       c.METHOD = kMethodExact;
       c.present[kFieldMethod] = true;
       c.present[kFieldTerms] = true;
     }},
    {"terms keywords", {"TERMS=phrase"},
     [](C& c) { c.TERMS = kTermsPhrase; c.present[kFieldTerms] = true; }},
    {"terms any", {"TERMS=Any"},
     [](C& c) { c.TERMS = kTermsAny; c.present[kFieldTerms] = true; }},
    {"case keywords", {"CASE=Sensitive"},
     [](C& c) { c.CASE = kCaseSensitive; c.present[kFieldCase] = true; }},
    {"case keyword is whole", {"CASE=YES"}, [](C& c) { c.present[kFieldCase] = true; }},
    {"report keyword in any case", {"SUBJECTREPORTWITH=dq"},
     [](C& c) { c.SUBJECTREPORTWITH = kReportDQ; c.present[kFieldSubjectReportWith] = true; }},
    {"unknown report keeps its default", {"LITERALREPORTWITH=X"},
     [](C& c) { c.present[kFieldLiteralReportWith] = true; }},
    {"literal report", {"LITERALREPORTWITH=b"},
     [](C& c) { c.LITERALREPORTWITH = kReportB; c.present[kFieldLiteralReportWith] = true; }},
    {"flag needs a word", {"ALLOWSITEMAP=0"},
     [](C& c) { c.present[kFieldAllowSitemap] = true; }},
    {"flag no", {"ALLOWSITEMAP=no"},
     [](C& c) { c.ALLOWSITEMAP = 0; c.present[kFieldAllowSitemap] = true; }},
    {"warnings no", {"WARNINGS=No"},
     [](C& c) { c.WARNINGS = 0; c.present[kFieldWarnings] = true; }},
    {"plain text yes", {"PLAINTEXT=Yes"},
     [](C& c) { c.PLAINTEXT = 1; c.present[kFieldPlainText] = true; }},
    {"accented letters are not keyword letters", {"PLAINTEXT=y\xc9s"},
     [](C& c) { c.present[kFieldPlainText] = true; }},
};

INSTANTIATE_TEST_SUITE_P(Lines, ParseConfigLineTest, ::testing::ValuesIn(kLineCases));

TEST(ToUpperAsciiTest, RaisesOnlyAsciiLetters) {
  EXPECT_EQ(ToUpperAscii("az`{AZ09"), "AZ`{AZ09");
  EXPECT_EQ(ToUpperAscii("\xe9t\xe9"), "\xe9T\xe9");
  EXPECT_EQ(ToUpperAscii(std::string("a\0b", 3)), std::string("A\0B", 3));
}

TEST(ParseReportWithTest, WholeWordsInAnyCase) {
  const struct {
    const char* value;
    int expected;
  } cases[] = {{"Q", 1}, {"b", 2}, {"Dq", 3}, {"db", 4}, {"", 9}, {"D B", 9}, {"QQ", 9}};
  for (const auto& c : cases) {
    int field = 9;
    ParseReportWith(c.value, field);
    EXPECT_EQ(field, c.expected) << c.value;
  }
}

class LoadSearchConfigTest : public ::testing::Test {
 protected:
  std::string Load(const std::string& path) {
    LoadSearchConfig(state, path);
    EXPECT_TRUE(state.configLoaded);
    return Describe(state.searchConfig);
  }

  TempDir dir;
  AppState state;
};

TEST_F(LoadSearchConfigTest, DefaultsOfEveryField) {
  const SearchConfig c = Defaults();
  EXPECT_EQ(c.QUERY, "NoPhrase");
  EXPECT_EQ(c.LANGUAGE, "English.tvl");
  EXPECT_EQ(c.FILELIST, "filelist.txt");
  EXPECT_EQ(c.SUBJECTLAYOUT, "layout_s.htm");
  EXPECT_EQ(c.LITERALLAYOUT, "layout_l.htm");
  EXPECT_EQ(c.SITEMAPLAYOUT, "sitemap.htm");
  EXPECT_EQ(c.HELPFILE, "help.htm");
  EXPECT_EQ(c.SITEROOTURL.rfind("http://", 0), 0u);
  EXPECT_NE(c.SITEROOTURL.back(), '/');
  EXPECT_EQ(c.WORKDIR, "workdir");
  EXPECT_EQ(c.FILEEXTENSIONS, "");
  EXPECT_EQ(c.EXCLUDEFILEEXTENSIONS, "");
  EXPECT_EQ(std::vector<int>({c.action, c.QUOTES, c.QUOTESIZE, c.QUOTESPERDOC, c.METHOD,
                              c.RELEVANCY, c.TERMS, c.CASE, c.ALLOWSITEMAP, c.WARNINGS,
                              c.SUBJECTREPORTWITH, c.LITERALREPORTWITH, c.PLAINTEXT}),
            std::vector<int>({0, 25, 1000, 5, 0, 40, 1, 0, 1, 1, 1, 3, 0}));
}

TEST_F(LoadSearchConfigTest, EmptyPathGivesDefaults) {
  EXPECT_EQ(Load(""), Describe(Defaults()));
}

TEST_F(LoadSearchConfigTest, MissingFileGivesDefaults) {
  EXPECT_EQ(Load(dir.Path("missing.ini")), Describe(Defaults()));
}

TEST_F(LoadSearchConfigTest, AppliesEveryLineAndClamps) {
  dir.Write("a.ini", "QUOTES=5\n");
  SearchConfig expected = Defaults();
  expected.QUOTES = 10;
  expected.present[kFieldQuotes] = true;
  EXPECT_EQ(Load(dir.Path("a.ini")), Describe(expected));
}

TEST_F(LoadSearchConfigTest, CarriageReturnsAndMissingLastLineEndReadTheSame) {
  dir.Write("a.ini", "SITEMAP=\r\nWORKDIR=tmp\r\nHELPFILE=h.htm");
  SearchConfig expected = Defaults();
  expected.action = kActionSitemap;
  expected.WORKDIR = "tmp";
  expected.HELPFILE = "h.htm";
  for (ConfigField f : {kFieldAction, kFieldWorkDir, kFieldHelpFile}) expected.present[f] = true;
  EXPECT_EQ(Load(dir.Path("a.ini")), Describe(expected));
}

TEST_F(LoadSearchConfigTest, SecondLoadChangesNothing) {
  dir.Write("a.ini", "QUOTES=50\n");
  dir.Write("b.ini", "QUOTES=60\nWORKDIR=b\n");
  const std::string first = Load(dir.Path("a.ini"));
  EXPECT_EQ(Load(dir.Path("b.ini")), first);
  EXPECT_EQ(state.searchConfig.QUOTES, 50);
}

TEST_F(LoadSearchConfigTest, NameWithLineBreakIsNotOpened) {
  dir.Write("a.ini\n", "QUOTES=500\n");
  EXPECT_EQ(Load(dir.Path("a.ini\n")), Describe(Defaults()));
}

}  // namespace
