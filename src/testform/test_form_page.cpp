// The page "testform": the sample search form, live, and the button that saves it.
#include "testform/test_form_page.h"

#include "app/app_state.h"
#include "config/search_options.h"
#include "history/version_guard.h"
#include "html/shared_pieces.h"
#include "testform/search_form.h"

namespace {

// The form's controls start from the configuration's values, which the
// administrator may change here before searching.
const char kStartingValuesRow[] =
    "<tr>\n<td>\n The fields of this form start from the values of the selected\n"
    " configuration file; change them here to try other values.\n</td>\n</tr>\n";

}  // namespace

void RenderTestFormPage(PageWriter& out, const AppState& state) {
  out.WriteString("<tr>\n<td nowrap>\n");
  WriteSelectedConfig(out, state.currentConfig);
  out.WriteString("</td>\n</tr>\n");
  out.WriteString(kStartingValuesRow);
  WriteSearchForm(out, state, true);
  out.WriteString("<tr>\n");
  WritePlainFormStart(out, state.programName);
  out.WriteString(
      "<td align=\"center\">\n"
      " <input type=\"hidden\" name=\"target\" value=\"testform\">\n"
      " <input type=\"hidden\" name=\"act\" value=\"saveform\">\n ");
  WriteVersionField(out, CurrentVersionOf(kSavedFormName));
  out.WriteString(
      " <input type=\"submit\" value=\"Save to file\">\n"
      " &nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;\n"
      " Save this search form to the file <b>tovimarqdata/searchform.htm</b>\n"
      "</td>\n</form>\n</tr>\n<tr>\n<td align=\"center\">\n");
  WriteMainMenuLink(out, state.programName);
  out.WriteString("</td>\n</tr>\n</table>\n");
}
