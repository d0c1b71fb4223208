// The page "mconf", byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "e2e/config_state_fixture.h"

namespace {

using ManageConfigsTest = ConfigStateTest;

const char kFormStart[] = R"(<tr>
<form name="mconf" action="tvqconf.cgi" method="POST" onSubmit="return false;">
<td width=50%>
 <label for="ini"><b>List of currently defined configuration files:</b></label><br>
 <input type="hidden" name="target" value="mconf">
 <input type="hidden" name="act" value="">
)";

// After the version of the state file that the page was drawn from.
const char kListStart[] = R"( <select name="ini" size=5 id="ini">
)";

const char kFormEnd[] = R"( </select>
</td>
<td rowspan=2 valign="top">
 <label for="newini"><b>Create a new configuration file</b> named:</label><br>
 <input type="text" name="newini" id="newini" size=40 maxlength=260 onKeyDown="if (event.key == 'Enter') { fcopyini(); return false; }"><br>
 <input type="button" value="Create" onClick="fcopyini();"><br>
 The new file will be the exact copy of the file which is currently selected
 in the list on the left.<br>
 <b>Note: </b>Both configurations will refer to the same file list until you
 change it explicitly for the new configuration. Use the Main Menu option
 <b>Edit file list</b>.
</td>
</tr>
<tr>
<td>
 <input type="button" value="Delete" onClick="fdelini();"><br>
 <b>Remove the selected configuration</b> from the list; its file stays on disk.
</td>
</form>
</tr>
<tr>
<td colspan=2 align="center">
 <a href="tvqconf.cgi?target=main"><b>Return to Main Menu</b></a>
</td>
</tr>
</table>
)";

std::string PageBody(const std::string& page) {
  const std::string::size_type start = page.find("<tr>\n<form name=\"mconf\"");
  if (start == std::string::npos) return "(no form)";
  const std::string end = "</table>\n";
  return page.substr(start, page.find(end, start) + end.size() - start);
}

struct PageCase {
  std::string stateFile;
  std::string options;
};

class ManageConfigsPageTest : public ConfigStateTest,
                              public ::testing::WithParamInterface<PageCase> {};

TEST_P(ManageConfigsPageTest, ListsEveryConfigurationByName) {
  for (const char* name : {"a.ini", "b.ini", "a&b.ini"}) WriteFile(name, "");
  WriteFile("tvqconf.dat", GetParam().stateFile);
  EXPECT_EQ(PageBody(Get("target=mconf").Body()),
            kFormStart + (" " + StateVersionInput()) + kListStart + GetParam().options + kFormEnd);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ManageConfigsPageTest,
    ::testing::Values(
        PageCase{"", " <option selected value=\"tovimarq.ini\">tovimarq.ini</option>\n"},
        PageCase{"a.ini\nb.ini\n",
                 " <option selected value=\"a.ini\">a.ini</option>\n"
                 " <option value=\"b.ini\">b.ini</option>\n"},
        PageCase{"a&b.ini\na.ini\n",
                 " <option selected value=\"a&amp;b.ini\">a&amp;b.ini</option>\n"
                 " <option value=\"a.ini\">a.ini</option>\n"}));

}  // namespace
