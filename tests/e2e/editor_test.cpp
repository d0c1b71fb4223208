// The remote editor as the browser uses it: open a file, see it escaped, save it back.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "support/cgi_test.h"

namespace {

const char kTextAreaStart[] = "<textarea name=\"text\" aria-label=\"Text of the file\" rows=20 cols=80>\n";
const char kRefusal[] =
    " <b>You can not edit files located outside the <i>tovimarqdata</i> directory using "
    "this configuration utility. Upload those files via FTP instead.</b>\n";
const char kBinaryWarning[] =
    "<script language=\"JavaScript\"><!--\n"
    " alert(\"Warning!\\n\\nYou are about to edit a binary file.\");\n"
    "//--></script>\n</body>\n</html>";

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class EditorTest : public CgiTest {
 protected:
  // The editor page for `file`, as the "Edit..." button opens it.
  std::string Open(const std::string& file) {
    return Post("target=editor&act=editfile&file=" + file).Body();
  }
  // The page after saving `file` with the further fields, posted as the editor
  // page of the file as it stands now does: with its version.
  std::string Save(const std::string& file, const std::string& fields) {
    return Post("target=editor&act=save&file=" + file + "&" + VersionField(file) +
                (fields.empty() ? "" : "&" + fields)).Body();
  }
  // The hidden field that carries the id of `file` as it stands now.
  std::string VersionInput(const std::string& file) {
    const std::string field = VersionField(file);
    return "<input type=\"hidden\" name=\"version\" value=\"" + field.substr(field.find('=') + 1) +
           "\">";
  }
  // The text area's content on the page.
  static std::string TextArea(const std::string& page) {
    const std::size_t start = page.find(kTextAreaStart);
    if (start == std::string::npos) return "(no text area)";
    const std::size_t from = start + sizeof kTextAreaStart - 1;
    return page.substr(from, page.find("</textarea>", from) - from);
  }
};

TEST_F(EditorTest, RoundTripKeepsTheBytes) {
  dir.Write("doc.htm", "a\r\nb<&");
  const std::string page = Open("doc.htm");
  EXPECT_TRUE(Has(page, "<b>EDIT doc.htm</b>"));
  EXPECT_EQ(TextArea(page), "a\rb&lt;&amp;");
  EXPECT_TRUE(Has(page, " <input type=\"hidden\" name=\"file\" value=\"doc.htm\">\n"));
  EXPECT_TRUE(Has(page, VersionInput("doc.htm")));
  EXPECT_TRUE(Has(page, "value=\"Save changes\" onClick=\"feditor('editor');\""));
  EXPECT_FALSE(Has(page, "alert("));

  const std::string saved = Save("doc.htm", "text=a%0D%0Ab");
  EXPECT_EQ(dir.Read("doc.htm"), "a\r\nb");
  EXPECT_EQ(TextArea(saved), "a\rb");
  EXPECT_TRUE(Has(saved, VersionInput("doc.htm")));
  EXPECT_TRUE(Has(saved, " alert('File doc.htm was saved');\n"));
}

// The browser posts CR LF; the file keeps LF unless it holds CR LF, at a block's end too.
TEST_F(EditorTest, SaveKeepsTheLineEndsOfTheFile) {
  const std::string cases[][2] = {{"a\nb\n", "x\ny\rz\n"}, {"ab\n\r", "x\ny\rz\n"},
                                  {std::string(8191, 'x') + "\r\n", "x\r\ny\rz\r\n"}};
  for (const auto& [before, saved] : cases) {
    dir.Write("doc.htm", before);
    Save("doc.htm", "text=x%0D%0Ay%0Dz%0D%0A");
    EXPECT_EQ(dir.Read("doc.htm"), saved) << before.size();
  }
  Save("new.htm", "text=x%0D%0Ay");
  EXPECT_EQ(dir.Read("new.htm"), "x\ny");
}

// The utility's own files, however named; a file of the same name elsewhere is another one.
TEST_F(EditorTest, OwnFilesAreRefused) {
  dir.MakeDir("sub");
  dir.Write("sub/tvqconf.dat", "other");
  dir.Write("a.ini", "");
  dir.Write("tvqconf.dat", "a.ini\n");
  ASSERT_EQ(symlink("tvqconf.dat", dir.Path("soft.htm").c_str()), 0);
  for (const std::string name : {"./tvqconf.dat", "soft.htm", "tvqconf.lock", "d/tvqconf.cgi"}) {
    const std::string page = Save(name, "text=x");
    EXPECT_TRUE(Has(page, kRefusal));
    EXPECT_TRUE(Has(page, " alert('You can not edit " + name + " with this utility');\n"));
  }
  Save("sub/tvqconf.dat", "text=x");
  EXPECT_EQ(dir.Read("tvqconf.dat") + dir.Read("sub/tvqconf.dat"), "a.ini\nx");
}

TEST_F(EditorTest, FileAtTheLimitIsShown) {
  dir.Write("big.htm", std::string(65536, 'x'));
  EXPECT_EQ(TextArea(Open("big.htm")), std::string(65536, 'x'));
}

TEST_F(EditorTest, FileOverTheLimitShowsANoteWithoutSaveButtons) {
  dir.Write("big.htm", std::string(65537, 'x'));
  const std::string page = Open("big.htm");
  EXPECT_TRUE(Has(page, "<tr>\n<td>\n <b>The file is too long</b>\n</td>\n</tr>\n<tr>\n"
                        "<form action=\"tvqconf.cgi\" method=\"POST\">\n"));
  EXPECT_FALSE(Has(page, "<textarea"));
  EXPECT_FALSE(Has(page, "Save changes"));
  EXPECT_TRUE(Has(page, "<input type=\"submit\" value=\"Cancel\">"));
  EXPECT_TRUE(Has(page, "?target=main\"><b>Return to Main Menu</b></a>"));
}

struct BinaryCase {
  std::string content;
  bool warned;
};

class EditorBinaryTest : public EditorTest, public ::testing::WithParamInterface<BinaryCase> {};

TEST_P(EditorBinaryTest, WarnsAfterThePageBodyForControlBytes) {
  dir.Write("doc.htm", GetParam().content);
  const std::string page = Open("doc.htm");
  EXPECT_EQ(TextArea(page), GetParam().content);
  EXPECT_EQ(Has(page, kBinaryWarning), GetParam().warned);
  EXPECT_EQ(Has(page, "binary file"), GetParam().warned);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditorBinaryTest,
    ::testing::Values(BinaryCase{std::string("ab\0cd", 5), true},
                      BinaryCase{"ab\x1B[0m", true},
                      BinaryCase{"col1\tcol2\ncaf\xE9 \xFC\xDF\xFF", false},
                      BinaryCase{"", false}));

TEST_F(EditorTest, FolderShowsTheReadError) {
  dir.MakeDir("sub");
  EXPECT_TRUE(Has(Open("sub"), "<td>\n <b>Error reading the file sub</b>\n</td>\n"));
}

TEST_F(EditorTest, MissingFileGivesAnEmptyTextArea) {
  const std::string page = Open("new.htm");
  EXPECT_EQ(TextArea(page), "");
  EXPECT_FALSE(Has(page, "alert("));
  EXPECT_FALSE(dir.Exists("new.htm"));
}

// Names outside the data folder, and inside it the engine's programs, server
// files and the change history, which the fixture lays out.
class EditorRefusalTest : public EditorTest, public ::testing::WithParamInterface<std::string> {
 protected:
  void SetUp() override {
    dir.MakeDir("sub");
    dir.MakeDir("tvqconf.history");
    for (const char* name : {"tovimarq.cgi", "run.htm", ".htaccess", "sub/.htaccess",
                             "tvqconf.history/x.htm"}) {
      dir.Write(name, std::string("kept ") + name);
    }
    ASSERT_EQ(chmod(dir.Path("tovimarq.cgi").c_str(), 0755), 0);
    ASSERT_EQ(chmod(dir.Path("run.htm").c_str(), 0644 | S_IXOTH), 0);
  }
  // Every file the fixture laid out, with the mode of the two programs.
  std::string Laidout() const {
    struct stat program, run;
    stat(dir.Path("tovimarq.cgi").c_str(), &program);
    stat(dir.Path("run.htm").c_str(), &run);
    return dir.Read("tovimarq.cgi") + dir.Read("run.htm") + dir.Read(".htaccess") +
           dir.Read("sub/.htaccess") + dir.Read("tvqconf.history/x.htm") +
           std::to_string(program.st_mode) + std::to_string(run.st_mode);
  }
};

TEST_P(EditorRefusalTest, PageShowsTheNoteAndNoForm) {
  const std::string page = Open(GetParam());
  EXPECT_TRUE(Has(page, kRefusal));
  EXPECT_FALSE(Has(page, "<textarea"));
  EXPECT_FALSE(Has(page, "root:") || Has(page, "kept "));
  EXPECT_TRUE(Has(page, "<input type=\"submit\" value=\"Cancel\">"));
}

TEST_P(EditorRefusalTest, SaveChangesNothingAndSaysSo) {
  const std::string before = Laidout();
  const std::string page =
      Post("target=editor&act=save&file=" + GetParam() + "&text=typed%3C%0D%0Ahere").Body();
  EXPECT_TRUE(Has(page, kRefusal));
  EXPECT_TRUE(Has(page, " <textarea rows=20 cols=80 readonly>\ntyped&lt;\rhere</textarea>\n"));
  EXPECT_TRUE(Has(page, " alert('You can not edit ") && Has(page, " with this utility');\n"));
  EXPECT_EQ(Laidout(), before);
  EXPECT_FALSE(dir.Exists("escaped.htm") || dir.Exists(".new"));
}

INSTANTIATE_TEST_SUITE_P(Names, EditorRefusalTest,
                         ::testing::Values("/etc/passwd", "../escaped.htm",
                                           "sub/../../escaped.htm", "doc%0A.htm",
                                           "doc.htm%00.txt", "", "tovimarq.cgi", "run.htm",
                                           ".htaccess", "sub/.htaccess", ".new",
                                           "tvqconf.history/x.htm", "tvqconf.history/new.htm",
                                           "./tvqconf.history", "tvqconf.history"));

TEST_F(EditorTest, SaveCannotClimbOutOfTheDirectory) {
  dir.MakeDir("sub");
  dir.Write("inside.htm", "kept");
  Save("sub/../inside.htm", "text=x");
  EXPECT_EQ(dir.Read("inside.htm"), "kept");
}

TEST_F(EditorTest, SaveWithoutTextLeavesTheFileIntact) {
  dir.Write("doc.htm", "template");
  const std::string page = Save("doc.htm", "");
  EXPECT_EQ(dir.Read("doc.htm"), "template");
  EXPECT_EQ(TextArea(page), "template");
}

TEST_F(EditorTest, EmptyTextEmptiesTheFile) {
  dir.Write("doc.htm", "template");
  Save("doc.htm", "text=");
  EXPECT_EQ(dir.Read("doc.htm"), "");
}

TEST_F(EditorTest, UnwritableDirectoryGivesTheWritingMessageAndKeepsTheText) {
  dir.MakeDir("locked");
  dir.Write("locked/doc.htm", "kept");
  chmod(dir.Path("locked").c_str(), 0555);
  CgiRequest request;
  request.body =
      "target=editor&act=save&file=locked/doc.htm&text=x&" + VersionField("locked/doc.htm");
  request.unprivileged = true;
  const std::string page = Run(request).Body();
  EXPECT_TRUE(Has(page, " alert('Error writing file locked/doc.htm: Permission denied. "
                        "The file was not changed.');\n"));
  EXPECT_EQ(dir.Read("locked/doc.htm"), "kept");
  EXPECT_EQ(TextArea(page), "x");
}

TEST_F(EditorTest, FileNameIsEscapedInThePage) {
  const std::string page = Open("a%26b%22.htm");
  EXPECT_TRUE(Has(page, "<b>EDIT a&amp;b&quot;.htm</b>"));
  EXPECT_TRUE(Has(page, "name=\"file\" value=\"a&amp;b&quot;.htm\""));
}

}  // namespace
