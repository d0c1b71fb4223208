// The page "testform": the sample search form, live, and the button that saves it.
#include "testform/test_form_page.h"

#include "app/app_state.h"
#include "html/shared_pieces.h"
#include "testform/search_form.h"

void RenderTestFormPage(PageWriter& out, const AppState& state) {
  out.WriteString("<tr>\n<td nowrap>\n");
  WriteSelectedConfig(out, state.currentConfig);
  out.WriteString("</td>\n</tr>\n");
  // The form is built with its values already escaped.
  out.WriteString(BuildSearchForm(state, true));
  out.WriteString("<tr>\n");
  WritePlainFormStart(out, state.programName);
  out.WriteString(
      "<td align=\"center\">\n"
      " <input type=\"hidden\" name=\"target\" value=\"testform\">\n"
      " <input type=\"hidden\" name=\"act\" value=\"saveform\">\n"
      " <input type=\"submit\" value=\"Save to file\">\n"
      " &nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;\n"
      " Save this search form to the file <b>tovimarqdata/searchform.htm</b>\n"
      "</td>\n</form>\n</tr>\n<tr>\n<td align=\"center\">\n");
  WriteMainMenuLink(out, state.programName);
  out.WriteString("</td>\n</tr>\n</table>\n");
}
