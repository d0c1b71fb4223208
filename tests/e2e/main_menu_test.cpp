// The main menu body, byte for byte, with one and with several configurations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/config_state_fixture.h"

namespace {

using MainMenuTest = ConfigStateTest;

const char kSingleCell[] = R"(<tr>
<td valign="top" nowrap colspan=2>
 <font color="#800000">Currently selected configuration file:</font> <b>tovimarq.ini</b>
</td>
)";

const char kSelectorCells[] = R"(<tr>
<td valign="top" nowrap width=50%>
 <font color="#800000">Currently selected configuration file:</font> <b>a.ini</b>
</td>
<form name="selini" action="tvqconf.cgi" method="POST" onSubmit="return false;">
<td>
 <input type="hidden" name="target" value="main">
 <label for="ini"><b>Select another configuration:</b></label><br>
 <select name="ini" id="ini">
 <option selected value="0">a.ini</option>
 <option value="1">b.ini</option>
 <option value="2">c.ini</option>
 </select>
 <input type="button" value="Select" onClick="fselini();">
 <input type="hidden" name="act" value="selini">
)";

// The selector's form ends with the version of the state file it was drawn from.
const char kSelectorEnd[] = R"(</td>
</form>
)";

const char kMenuRows[] = R"(</tr>
<tr>
<td valign="top" nowrap width=50%>
 <a href="tvqconf.cgi?target=sdef"><b>Edit search defaults</b></a>
</td>
<td>
 If you want to omit some search options in your search form, the best way is
 to specify them in the search defaults.
</td>
</tr>
<tr>
<td valign="top" nowrap>
 <a href="tvqconf.cgi?target=flist"><b>Edit file list</b></a>
</td>
<td>
 Follow this link to create or edit the list of documents to be searched
 by Tovimarq.
</td>
</tr>
<tr>
<td valign="top" nowrap>
 <a href="tvqconf.cgi?target=redit"><b>Remote file editor</b></a>
</td>
<td>
 Here you may edit some files used by Tovimarq, i.e. New Search template,
 End-User Help file, Report header and Report footer.
</td>
</tr>
<tr>
<td valign="top" nowrap>
 <a href="tvqconf.cgi?target=testform"><b>Test Tovimarq&#153;</b></a>
</td>
<td>
 Test Tovimarq&#153; using search defaults and the file list specified in the
 currently selected configuration file.
</td>
</tr>
<tr>
<td valign="top" nowrap>
 <a href="tvqconf.cgi?target=mconf"><b>Manage configurations</b></a>
</td>
<td>
 You might want to create multiple Tovimarq configuration files, for example,
 to search different sets of documents in different languages.
</td>
</tr>
<tr>
<td valign="top" nowrap>
 <a href="tvqconf.cgi?target=history"><b>Change history</b></a>
</td>
<td>
 Shows who changed which file and when, and what changed, and restores
 earlier versions of the files.
</td>
</tr>
</table>
)";

// The body rows after the heading row, up to the end of the page table.
std::string MenuBody(const std::string& page) {
  const std::string::size_type start = page.find("<tr>\n<td valign=\"top\" nowrap ");
  if (start == std::string::npos) return "(no menu)";
  const std::string end = "</table>\n";
  return page.substr(start, page.find(end, start) + end.size() - start);
}

TEST_F(MainMenuTest, OneConfigurationSpansBothColumnsWithoutSelector) {
  WriteFile("tovimarq.ini", "");
  EXPECT_EQ(MenuBody(Get("").Body()), std::string(kSingleCell) + kMenuRows);
}

TEST_F(MainMenuTest, ThreeConfigurationsAreOfferedByPosition) {
  for (const char* name : {"a.ini", "b.ini", "c.ini"}) WriteFile(name, "");
  WriteFile("tvqconf.dat", "a.ini\nb.ini\nc.ini\n");
  EXPECT_EQ(MenuBody(Get("target=main").Body()),
            kSelectorCells + (" " + StateVersionInput()) + kSelectorEnd + kMenuRows);
}

TEST_F(MainMenuTest, NamesAreEscapedInTheMarkup) {
  for (const char* name : {"a&b.ini", "<c>.ini"}) WriteFile(name, "");
  WriteFile("tvqconf.dat", "a&b.ini\n<c>.ini\n");
  const std::string body = MenuBody(Get("").Body());
  EXPECT_NE(body.find("<b>a&amp;b.ini</b>\n"), std::string::npos);
  EXPECT_NE(body.find(" <option value=\"1\">&lt;c&gt;.ini</option>\n"), std::string::npos);
}

struct SelectionCase {
  const char* label;
  const char* stateFile;                 // nullptr: no state file
  std::vector<const char*> configFiles;  // the configuration files that exist
  const char* alert;                     // nullptr: no alert
  const char* savedState;                // the state file afterwards (nullptr: none)
  bool notMadeYet;                       // the menu says the selected file does not exist
};

class SelectionNoticeTest : public ConfigStateTest,
                            public ::testing::WithParamInterface<SelectionCase> {};

// The menu says why the selection changed, once, and when the selected file is still to come.
TEST_P(SelectionNoticeTest, MenuSaysWhatBecameOfTheSelection) {
  const SelectionCase& c = GetParam();
  if (c.stateFile != nullptr) WriteFile("tvqconf.dat", c.stateFile);
  for (const char* name : c.configFiles) WriteFile(name, "");
  const std::string first = Get("").Body();
  if (c.alert == nullptr) {
    EXPECT_EQ(first.find(" alert('"), std::string::npos);
  } else {
    EXPECT_NE(first.find(std::string(" alert('") + c.alert + "');"), std::string::npos);
  }
  EXPECT_EQ(dir.Exists("tvqconf.dat") ? dir.Read("tvqconf.dat") : "(none)",
            c.savedState != nullptr ? c.savedState : "(none)");
  // A page view changes no file: the next one says the same.
  EXPECT_EQ(Get("").Body(), first);
  const std::string notice =
      " does not exist yet; it will be created when you first save the\n <b>search defaults</b>.";
  EXPECT_EQ(first.find(notice) != std::string::npos, c.notMadeYet);
}

INSTANTIATE_TEST_SUITE_P(
    States, SelectionNoticeTest,
    ::testing::Values(
        SelectionCase{"FreshInstall", nullptr, {}, nullptr, nullptr, true},
        SelectionCase{"Usable", "a.ini\nb.ini\n", {"a.ini", "b.ini"}, nullptr, "a.ini\nb.ini\n",
                      false},
        SelectionCase{"SelectedGone", "a.ini\nb.ini\n", {"b.ini"},
                      "a.ini can no longer be used; b.ini is selected", "a.ini\nb.ini\n", false},
        SelectionCase{"EveryOneGone", "a.ini\n", {},
                      "a.ini can no longer be used; tovimarq.ini is selected", "a.ini\n",
                      true},
        SelectionCase{"OtherGone", "a.ini\nb.ini\n", {"a.ini"}, nullptr, "a.ini\nb.ini\n",
                      false}),
    [](const ::testing::TestParamInfo<SelectionCase>& info) { return info.param.label; });

}  // namespace
