// Saving the search defaults: the lines written, the messages, and the round trip
// from the page through the action back to the page.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cctype>
#include <regex>
#include <utility>
#include <vector>

#include "support/cgi_test.h"

namespace {

const char kSaved[] = "alert('Search defaults was saved successfully');";

class SaveSearchDefaultsTest : public CgiTest {
 protected:
  // Posts the form fields with act "setdefs", as the page showing `file` does,
  // and returns the page that follows.
  std::string Save(const std::string& fields, const std::string& file = "tovimarq.ini") {
    return Post("target=main&act=setdefs&" + VersionField(file) + "&" + fields).Body();
  }
};

struct SaveCase {
  const char* fields;
  const char* file;
  // The lines after the saved message: one for each number the save clamped.
  const char* notes = "";
};

void PrintTo(const SaveCase& c, std::ostream* out) { *out << c.fields; }

class SaveLineTest : public SaveSearchDefaultsTest,
                     public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveLineTest, WritesTheExpectedFile) {
  dir.Write("tovimarq.ini", "QUERY=x\n# comment\nWORKDIR=old\n");
  const std::string saved = std::string("alert('Search defaults was saved successfully") +
                            GetParam().notes + "');";
  EXPECT_NE(Save(GetParam().fields).find(saved), std::string::npos);
  EXPECT_EQ(dir.Read("tovimarq.ini"), std::string("QUERY=x\n# comment\n") + GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SaveLineTest,
    ::testing::Values(
        SaveCase{"", ""},
        SaveCase{"quotes=50&allowsitemap=", ""},
        SaveCase{"isquotes=", ""},
        SaveCase{"isquotes=on&quotes=50", "QUOTES=50\n"},
        SaveCase{"isquotes=&quotes=5", "QUOTES=10\n", "\\nQUOTES was limited to 10"},
        SaveCase{"isquotes=&quotes=+7", "QUOTES=10\n", "\\nQUOTES was limited to 10"},
        SaveCase{"isquotes=&quotes=7x", ""},
        SaveCase{"isquotes=&quotes=", ""},
        SaveCase{"isquotes=&quotes=7+", ""},
        SaveCase{"isquotesize=&quotesize=20000", "QUOTESIZE=10000\n",
                 "\\nQUOTESIZE was limited to 10000"},
        SaveCase{"isquotesperdoc=&quotesperdoc=0", "QUOTESPERDOC=1\n",
                 "\\nQUOTESPERDOC was limited to 1"},
        SaveCase{"isrelevancy=&relevancy=101", "RELEVANCY=100\n", "\\nRELEVANCY was limited to 100"},
        SaveCase{"isrelevancy=&relevancy=-5", "RELEVANCY=0\n", "\\nRELEVANCY was limited to 0"},
        SaveCase{"isallowsitemap=", "ALLOWSITEMAP=NO\n"},
        SaveCase{"isallowsitemap=&allowsitemap=", "ALLOWSITEMAP=YES\n"},
        SaveCase{"iswarnings=", "WARNINGS=NO\n"},
        SaveCase{"isplaintext=&plaintext=x", "PLAINTEXT=YES\n"},
        SaveCase{"isaction=&action=SITEMAP", "SITEMAP=\n"},
        SaveCase{"isaction=&action=HELP", "HELP=\n"},
        SaveCase{"isaction=&action=sitemap", ""},
        SaveCase{"isaction=&action=SEARCH+", ""},
        SaveCase{"ismethod=&method=EXACT", "METHOD=EXACT\n"},
        SaveCase{"ismethod=&method=exact", ""},
        SaveCase{"isterms=&terms=ANY", "TERMS=ANY\n"},
        SaveCase{"isterms=&terms=Phrase", ""},
        SaveCase{"iscasesensitive=&casesensitive=YES", "CASE=SENSITIVE\n"},
        SaveCase{"iscasesensitive=&casesensitive=NO", "CASE=INSENSITIVE\n"},
        SaveCase{"iscasesensitive=&casesensitive=yes", ""},
        SaveCase{"iscasesensitive=&casesensitive=SENSITIVE", ""},
        SaveCase{"islanguage=&language=German", "LANGUAGE=German.tvl\n"},
        SaveCase{"islanguage=&language=", "LANGUAGE=.tvl\n"},
        SaveCase{"isrepwiths=&repwiths=XYZ", "SUBJECTREPORTWITH=XYZ\n"},
        SaveCase{"isfilelist=&filelist=+a+b%2Bc%25+", "FILELIST= a b%2Bc%25 \n"},
        SaveCase{"isfilelist=&filelist=x%0AHELPFILE=/etc/passwd", ""},
        SaveCase{"ishelpfile=&helpfile=a%0Db", ""},
        SaveCase{"isworkdir=&workdir=a%00b&isquotes=&quotes=20", "WORKDIR=old\nQUOTES=20\n"},
        SaveCase{"isrepwithl=&repwithl=Q%0AX", ""},
        SaveCase{"isfileext=&fileext=&isexclext=&exclext=gif", "FILEEXTENSIONS=\n"
                                                                "EXCLUDEFILEEXTENSIONS=gif\n"}));

TEST_F(SaveSearchDefaultsTest, EveryOptionGivesTwentyThreeLinesInFileOrder) {
  Save("islanguage=&language=German&isfilelist=&filelist=f.txt&ishelpfile=&helpfile=h.htm"
       "&islayouts=&layouts=s.htm&islayoutl=&layoutl=l.htm&issitemap=&sitemap=m.htm"
       "&issiterooturl=&siterooturl=http://h/&isworkdir=&workdir=w&isaction=&action=HELP"
       "&isquotes=&quotes=30&isquotesize=&quotesize=300&isquotesperdoc=&quotesperdoc=3"
       "&ismethod=&method=EXACT&isrelevancy=&relevancy=30&isterms=&terms=PHRASE"
       "&iscasesensitive=&casesensitive=YES&isallowsitemap=&isfileext=&fileext=htm"
       "&isexclext=&exclext=txt&iswarnings=&warnings=&isrepwiths=&repwiths=DB"
       "&isrepwithl=&repwithl=B&isplaintext=&plaintext=&ini=tovimarq.ini");
  EXPECT_EQ(dir.Read("tovimarq.ini"),
            "SUBJECTLAYOUT=s.htm\nLITERALLAYOUT=l.htm\nSITEMAPLAYOUT=m.htm\n"
            "LANGUAGE=German.tvl\nFILELIST=f.txt\nHELPFILE=h.htm\nSITEROOTURL=http://h/\n"
            "WORKDIR=w\nFILEEXTENSIONS=htm\nEXCLUDEFILEEXTENSIONS=txt\nHELP=\nQUOTES=30\n"
            "QUOTESIZE=300\nQUOTESPERDOC=3\nMETHOD=EXACT\nRELEVANCY=30\nTERMS=PHRASE\n"
            "CASE=SENSITIVE\nALLOWSITEMAP=NO\nWARNINGS=YES\nPLAINTEXT=YES\n"
            "SUBJECTREPORTWITH=DB\nLITERALREPORTWITH=B\n");
}

struct KeepCase {
  const char *before, *fields, *after;
};

class KeepLinesTest : public SaveSearchDefaultsTest,
                      public ::testing::WithParamInterface<KeepCase> {};

TEST_P(KeepLinesTest, RewritesOnlyThePagesOptions) {
  dir.Write("tovimarq.ini", GetParam().before);
  EXPECT_NE(Save(GetParam().fields).find(kSaved), std::string::npos);
  EXPECT_EQ(dir.Read("tovimarq.ini"), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, KeepLinesTest,
    ::testing::Values(
        KeepCase{"", "isquotes=&quotes=50", "QUOTES=50\n"},
        KeepCase{"; top\r\n\r\nquotes=4\nFOO=b\n\tWORKDIR=w\nQUOTES =1\n=2\nQUOTES=2\nhelp=\n# e",
                 "isquotes=&quotes=50&islayouts=&layouts=s",
                 "; top\n\nQUOTES=50\nFOO=b\n\tWORKDIR=w\nQUOTES =1\n=2\n# e\nSUBJECTLAYOUT=s\n"},
        KeepCase{"SUBJECTLAYOUT=a\nQUOTES=40\n", "islayouts=&layouts=b&isquotes=&quotes=50",
                 "SUBJECTLAYOUT=b\nQUOTES=50\n"},
        KeepCase{"help=\nX\nSiteMap=1\n", "isaction=&action=SEARCH", "SEARCH=\nX\n"},
        KeepCase{"FILELIST=a%0Ab\nQUOTES=40\nQUOTES=x\n",
                 "isfilelist=&filelist=a%0Ab&isquotes=&quotes=7x",
                 "FILELIST=a%0Ab\nQUOTES=40\nQUOTES=x\n"}));

// An unreadable file, or one with a line longer than the reader delivers.
TEST_F(SaveSearchDefaultsTest, FileThatCannotBeReadWholeIsNotReplaced) {
  for (const bool unreadable : {true, false}) {
    const std::string content = (unreadable ? "" : "#" + std::string(70000, 'x')) + "\nQUOTES=4\n";
    dir.Write("tovimarq.ini", content);
    ASSERT_EQ(chmod(dir.Path("tovimarq.ini").c_str(), unreadable ? 0222 : 0666), 0);
    CgiRequest request;
    request.body = "target=main&act=setdefs&isquotes=&quotes=50&" + VersionField("tovimarq.ini");
    request.unprivileged = true;
    EXPECT_NE(Run(request).Body().find("alert('Error creating file tovimarq.ini');"),
              std::string::npos);
    EXPECT_EQ(dir.Read("tovimarq.ini"), content);
  }
}

TEST_F(SaveSearchDefaultsTest, IniNamesAKnownConfiguration) {
  dir.Write("tovimarq.ini", "QUOTES=40\n");
  dir.Write("other.ini", "");
  dir.Write("tvqconf.dat", "tovimarq.ini\nother.ini\n");
  EXPECT_NE(Save("ini=other.ini&isquotes=&quotes=50", "other.ini").find(kSaved),
            std::string::npos);
  EXPECT_EQ(dir.Read("other.ini"), "QUOTES=50\n");
  EXPECT_EQ(dir.Read("tovimarq.ini"), "QUOTES=40\n");
  dir.Write("filelist.txt", "FILE=/a\n");
  EXPECT_NE(Save("ini=filelist.txt").find("alert('Error creating file filelist.txt');"),
            std::string::npos);
  EXPECT_EQ(dir.Read("filelist.txt"), "FILE=/a\n");
}

TEST_F(SaveSearchDefaultsTest, OwnFilesListedByHandAreNotWritten) {
  dir.MakeDir("tvqconf.history");
  dir.Write("tvqconf.history/h.ini", "QUOTES=1\n");
  dir.Write("tvqconf.lock", "");
  dir.Write("tvqconf.dat", "tvqconf.history/h.ini\ntvqconf.lock\n");
  for (const std::string name : {"tvqconf.history/h.ini", "tvqconf.lock"}) {
    EXPECT_NE(Save("ini=" + name + "&isquotes=&quotes=50").find("alert('Error creating file " +
                                                                 name + "');"),
              std::string::npos);
  }
  EXPECT_EQ(dir.Read("tvqconf.history/h.ini") + dir.Read("tvqconf.lock"), "QUOTES=1\n");
}

TEST_F(SaveSearchDefaultsTest, EmptyIniCannotBeCreated) {
  const std::string page = Save("ini=&isquotes=&quotes=50");
  EXPECT_NE(page.find("alert('Error creating file ');"), std::string::npos);
  EXPECT_EQ(page.find(kSaved), std::string::npos);
  EXPECT_FALSE(dir.Exists("tovimarq.ini"));
}

TEST_F(SaveSearchDefaultsTest, IniWithLineBreakIsRefused) {
  const std::string page = Save("ini=a%0Ab&isquotes=&quotes=50");
  EXPECT_NE(page.find("alert('Error creating file a\\nb');"), std::string::npos);
  EXPECT_FALSE(dir.Exists("a\nb"));
}

TEST_F(SaveSearchDefaultsTest, ReadOnlyDirectoryGivesWritingErrorAndKeepsTheChoices) {
  dir.Write("tovimarq.ini", "QUOTES=40\n");
  ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
  CgiRequest request;
  request.body = "target=main&act=setdefs&isquotes=&quotes=50&" + VersionField("tovimarq.ini");
  request.unprivileged = true;
  const std::string page = Run(request).Body();
  EXPECT_NE(page.find("alert('Error writing file tovimarq.ini: Permission denied. "
                      "The file was not changed.');"),
            std::string::npos);
  EXPECT_TRUE(std::regex_search(page, std::regex("name=\"quotes\"[^>]* value=\"50\">")));
  EXPECT_EQ(dir.Read("tovimarq.ini"), "QUOTES=40\n");
}

// What a browser posts for the form "editdef" as the page drew it, after the
// closing script has given each language option its text as value.
class EditdefForm {
 public:
  explicit EditdefForm(const std::string& page) {
    const auto start = page.find("<form name=\"editdef\"");
    const std::string form = page.substr(start, page.find("</form>", start) - start);
    const std::regex tag("<(input|select|option)([^>]*)>([^<]*)");
    std::string select;
    bool pendingSelect = false;  // a select whose selected option is not yet seen
    for (std::sregex_iterator it(form.begin(), form.end(), tag), end; it != end; ++it) {
      const std::string kind = (*it)[1], attributes = (*it)[2], text = (*it)[3];
      if (kind == "select") {
        select = Attribute(attributes, "name");
        pendingSelect = true;
      } else if (kind == "option" && pendingSelect && Has(attributes, "selected")) {
        const std::string value = Attribute(attributes, "value");
        Add(select, select == "language" ? text : value);
        pendingSelect = false;
      } else if (kind == "input") {
        const std::string type = Attribute(attributes, "type");
        if (type == "checkbox" && !Has(attributes, "checked")) continue;
        if (type == "button" || type == "reset") continue;
        Add(Attribute(attributes, "name"), Attribute(attributes, "value"));
      }
    }
  }

  const std::string& body() const { return body_; }

 private:
  static bool Has(const std::string& attributes, const std::string& word) {
    return std::regex_search(attributes, std::regex(" " + word + "( |$)"));
  }
  static std::string Attribute(const std::string& attributes, const std::string& name) {
    std::smatch found;
    if (!std::regex_search(attributes, found, std::regex(" " + name + "=\"([^\"]*)\""))) {
      return "";
    }
    return Unescape(found[1]);
  }
  static std::string Unescape(std::string text) {
    const std::pair<const char*, const char*> entities[] = {
        {"&quot;", "\""}, {"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}};
    for (const auto& [entity, byte] : entities) {
      for (auto at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1)) {
        text.replace(at, std::string(entity).size(), byte);
      }
    }
    return text;
  }
  static std::string Encode(const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : text) {
      if (std::isalnum(c)) {
        encoded += static_cast<char>(c);
      } else {
        encoded += {'%', kHex[c >> 4], kHex[c & 15]};
      }
    }
    return encoded;
  }
  void Add(const std::string& name, const std::string& value) {
    if (!body_.empty()) body_ += '&';
    body_ += Encode(name) + "=" + Encode(value);
  }

  std::string body_;
};

class RoundTripTest : public SaveSearchDefaultsTest,
                      public ::testing::WithParamInterface<const char*> {};

TEST_P(RoundTripTest, SavedPageShowsTheSameOptionsAndValues) {
  dir.Write("english.tvl", "");
  dir.Write("German.tvl", "");
  dir.Write("tovimarq.ini", GetParam());
  const std::string before = Get("target=sdef").Body();
  EXPECT_NE(Post(EditdefForm(before).body()).Body().find(kSaved), std::string::npos);
  // The save is recorded, so the page now names its last change, and its form
  // carries the id of the file as saved; the rest is as before.
  std::string after = Get("target=sdef").Body();
  const std::size_t row = after.find("<tr>\n<td class=\"lastchange\">Last changed by ");
  ASSERT_NE(row, std::string::npos);
  after.erase(row, after.find("</tr>\n", row) + 6 - row);
  std::string expected = before;
  const std::string field = "<input type=\"hidden\" name=\"version\" value=\"";
  const std::size_t id = expected.find(field) + field.size();
  ASSERT_NE(id, std::string::npos + field.size());
  expected.replace(id, expected.find('"', id) - id,
                   VersionField("tovimarq.ini").substr(sizeof "version=" - 1));
  EXPECT_EQ(after, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Configurations, RoundTripTest,
    ::testing::Values(
        "LANGUAGE=german.TVL\nFILELIST=my%20list+a%2Bb%25.txt\nHELPFILE=a%22%3C%26b.htm\n"
        "SUBJECTLAYOUT=s.htm\nLITERALLAYOUT=l.htm\nSITEMAPLAYOUT=m.htm\n"
        "SITEROOTURL=http://www.site.test/docs/\nWORKDIR=/var/tmp/w\nHELP=\nQUOTES=999\n"
        "QUOTESIZE=100\nQUOTESPERDOC=15\nMETHOD=EXACT\nRELEVANCY=0\nTERMS=ANY\n"
        "CASE=SENSITIVE\nALLOWSITEMAP=NO\nFILEEXTENSIONS=htm;html\nEXCLUDEFILEEXTENSIONS=txt\n"
        "WARNINGS=NO\nSUBJECTREPORTWITH=DB\nLITERALREPORTWITH=B\nPLAINTEXT=YES\n",
        "SITEMAP=\nQUOTES=12\nPLAINTEXT=NO\nQUERY=dropped\n",
        ""));

}  // namespace
