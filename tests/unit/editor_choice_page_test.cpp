// The editor file choice page: one row per file, an Edit button or the refusal mark.
#include "editor/editor_choice_page.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/app_state.h"

namespace {

const char kMark[] = " <b>* </b>(see below)\n";
const char kNoteRow[] = "<tr>\n<td colspan=2>\n <b>* - You can not edit files";

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

class EditorChoicePageTest : public ::testing::Test {
 protected:
  EditorChoicePageTest() {
    state.programName = "tvqconf.cgi";
    state.currentConfig = "tovimarq.ini";
    state.searchConfig.HELPFILE = "help.htm";
    state.searchConfig.SUBJECTLAYOUT = "subject.htm";
    state.searchConfig.LITERALLAYOUT = "literal.htm";
    state.searchConfig.SITEMAPLAYOUT = "sitemap.htm";
  }
  std::string Render() {
    std::ostringstream text;
    PageWriter out(text);
    RenderEditorChoicePage(out, state);
    return text.str();
  }

  AppState state;
};

std::string FileRow(const std::string& label, const std::string& file) {
  return "<tr>\n<form action=\"tvqconf.cgi\" method=\"POST\">\n<td>\n " + label +
         "<br>\n <b>" + file + "</b>\n</td>\n<td align=\"center\">\n"
         " <input type=\"hidden\" name=\"target\" value=\"editor\">\n"
         " <input type=\"hidden\" name=\"act\" value=\"editfile\">\n"
         " <input type=\"hidden\" name=\"file\" value=\"" + file + "\">\n"
         " <input type=\"submit\" value=\"Edit...\">\n</td>\n</form>\n</tr>\n\n";
}

TEST_F(EditorChoicePageTest, AllFourEditableGivesFourButtonsAndNoNote) {
  EXPECT_EQ(Render(),
            "<tr>\n<td colspan=2 nowrap>\n <font color=\"#800000\">Currently selected "
            "configuration file:</font> <b>tovimarq.ini</b>\n</td>\n</tr>\n\n" +
                FileRow("End-User Help file:", "help.htm") +
                FileRow("Report template for Subject Search:", "subject.htm") +
                FileRow("Report template for Literal Search:", "literal.htm") +
                FileRow("Site Map template:", "sitemap.htm") +
                "\n<tr>\n<td colspan=2 align=\"center\">\n <a href=\"tvqconf.cgi"
                "?target=main\"><b>Return to Main Menu</b></a>\n</td>\n</tr>\n</table>\n");
}

TEST_F(EditorChoicePageTest, AbsoluteNameInsideTheDataDirectoryIsEditable) {
  state.searchConfig.SUBJECTLAYOUT = "/usr/local/www/tovimarqdata/rep.htm";
  const std::string page = Render();
  EXPECT_NE(page.find("name=\"file\" value=\"/usr/local/www/tovimarqdata/rep.htm\""),
            std::string::npos);
  EXPECT_EQ(Count(page, kNoteRow), 0u);
}

TEST_F(EditorChoicePageTest, RefusedFilesShowTheMarkAndTheNoteOnce) {
  state.searchConfig.HELPFILE = "";
  state.searchConfig.LITERALLAYOUT = "/etc/motd";
  state.searchConfig.SITEMAPLAYOUT = "templates/../../x.htm";
  const std::string page = Render();
  EXPECT_EQ(Count(page, kMark), 3u);
  EXPECT_EQ(Count(page, "value=\"Edit...\""), 1u);
  EXPECT_EQ(Count(page, kNoteRow), 1u);
  EXPECT_NE(page.find(" End-User Help file:<br>\n <b></b>\n</td>\n<td align=\"center\">\n" +
                      std::string(kMark)),
            std::string::npos);
  EXPECT_NE(page.find(std::string(kNoteRow) +
                      " located outside the <i>tovimarqdata</i> directory using this "
                      "configuration utility. Upload those files via FTP instead.</b>\n"
                      "</td>\n</tr>\n\n<tr>\n<td colspan=2 align=\"center\">\n"),
            std::string::npos);
}

TEST_F(EditorChoicePageTest, ValuesAreEscaped) {
  state.currentConfig = "a&b.ini";
  state.programName = "t\"q.cgi";
  state.searchConfig.HELPFILE = "<x>.htm";
  const std::string page = Render();
  EXPECT_NE(page.find("<b>a&amp;b.ini</b>"), std::string::npos);
  EXPECT_NE(page.find("action=\"t&quot;q.cgi\""), std::string::npos);
  EXPECT_NE(page.find("value=\"&lt;x&gt;.htm\""), std::string::npos);
  EXPECT_EQ(page.find("<x>"), std::string::npos);
}

}  // namespace
