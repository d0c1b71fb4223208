// The page "testform": the sample search form, live, and the button that saves it.
#include "testform/test_form_page.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "app/app_state.h"
#include "config/search_options.h"
#include "html/shared_pieces.h"
#include "testform/search_form.h"

namespace {

// The options that fields of the search form override.
const ConfigField kFormFields[] = {
    kFieldQuotes, kFieldQuoteSize, kFieldQuotesPerDoc, kFieldMethod,
    kFieldRelevancy, kFieldTerms, kFieldCase, kFieldSubjectReportWith,
    kFieldLiteralReportWith, kFieldPlainText};

// A row naming the form's options that the configuration file sets, when it
// sets any: the engine applies them to forms that leave the field out.
void WriteConfiguredFields(PageWriter& out, const SearchConfig& config) {
  std::string names;
  for (const SearchOption& option : SearchOptions()) {
    const bool formField =
        std::find(std::begin(kFormFields), std::end(kFormFields), option.field) !=
        std::end(kFormFields);
    if (!formField || !config.present[option.field]) continue;
    names += (names.empty() ? "" : ", ") + std::string(option.scriptName);
  }
  if (names.empty()) return;
  out.WriteString(
      "<tr>\n<td>\n Set in this configuration file, and used by the engine when a search "
      "form leaves the field out: ");
  out.WriteValue(names);
  out.WriteString(".\n</td>\n</tr>\n");
}

}  // namespace

void RenderTestFormPage(PageWriter& out, const AppState& state) {
  out.WriteString("<tr>\n<td nowrap>\n");
  WriteSelectedConfig(out, state.currentConfig);
  out.WriteString("</td>\n</tr>\n");
  WriteConfiguredFields(out, state.searchConfig);
  WriteSearchForm(out, state, true);
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
