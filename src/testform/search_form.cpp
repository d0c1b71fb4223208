// The sample search form: the engine's address, the form row and its saved page.
#include "testform/search_form.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/app_state.h"
#include "config/search_config.h"
#include "fileio/text_file.h"
#include "history/version_guard.h"
#include "html/escape.h"

const char kSavedFormName[] = "searchform.htm";

namespace {

const char kUtilityPath[] = "/tovimarqdata/tvqconf";
const char kEnginePath[] = "/tovimarq";
const char kFallbackEngineUrl[] = "../tovimarq";

struct Choice {
  std::string value;  // empty: the option has no value attribute, its text is sent
  std::string text;
};

std::string Sent(const Choice& choice) { return choice.value.empty() ? choice.text : choice.value; }

// A select whose option sending `selected` is selected; its id is its name, by
// which a label names it, or else `ariaLabel` does.
std::string Select(const std::string& name, const std::vector<Choice>& choices,
                   const std::string& selected, const std::string& ariaLabel = "") {
  std::string html = "<select name=\"" + name + "\" id=\"" + name + "\"";
  if (!ariaLabel.empty()) html += " aria-label=\"" + ariaLabel + "\"";
  html += ">\n";
  for (const Choice& choice : choices) {
    html += "<option";
    if (!choice.value.empty()) html += " value=\"" + choice.value + "\"";
    if (Sent(choice) == selected) html += " selected";
    html += ">" + choice.text + "</option>\n";
  }
  return html + "</select>";
}

// A select of choices numbered from `first`; the one numbered `number` is selected.
std::string NumberedSelect(const std::string& name, const std::vector<Choice>& choices,
                           int first, int number, const std::string& ariaLabel = "") {
  const int index = number - first;
  const bool known = index >= 0 && index < static_cast<int>(choices.size());
  return Select(name, choices, known ? Sent(choices[index]) : "", ariaLabel);
}

// A select of numbers, sent as their texts, with `configured` selected; a
// configured number that is not among them joins them in numeric order, so
// that the form sends it.
std::string NumberSelect(const std::string& name, std::vector<int> numbers, int configured) {
  const auto at = std::lower_bound(numbers.begin(), numbers.end(), configured);
  if (at == numbers.end() || *at != configured) numbers.insert(at, configured);
  std::vector<Choice> choices;
  for (int number : numbers) choices.push_back({"", std::to_string(number)});
  return Select(name, choices, std::to_string(configured));
}

// The numbers first, first + step, ... up to last.
std::vector<int> Steps(int first, int last, int step) {
  std::vector<int> numbers;
  for (int number = first; number <= last; number += step) numbers.push_back(number);
  return numbers;
}

// A row whose label names the control with the id `forId`; with none, the
// controls carry their own labels.
std::string LabelledRow(const std::string& label, const std::string& controls,
                        const std::string& forId = "") {
  const std::string shown =
      forId.empty() ? label : "<label for=\"" + forId + "\">" + label + "</label>";
  return "<tr><td>\n" + shown + "</td>\n<td>" + controls + "</td></tr>";
}

std::string WideRow(const std::string& content) {
  return "<tr><td colspan=2>\n" + content + "</td></tr>";
}

// An input of the given type and name sending `value`, checked or not, in a
// label with its caption, a click on which checks it too.
std::string CheckInput(const char* type, const char* name, const char* value, bool checked,
                       const char* caption) {
  return std::string("<label><input type=\"") + type + "\" name=\"" + name + "\" value=\"" +
         value + "\"" + (checked ? " checked>" : ">") + caption + "</label>";
}

std::string MethodControls(const SearchConfig& config) {
  const bool exact = config.METHOD == kMethodExact;
  const std::vector<Choice> terms = {
      {"any", "for any term"}, {"all", "for all terms"}, {"phrase", "as a phrase"}};
  const std::vector<Choice> letterCase = {{"insensitive", "case insensitive"},
                                          {"sensitive", "case sensitive"}};
  return CheckInput("radio", "method", "fuzzy", !exact, " Subject Search (smart fuzzy)") +
         " with\n" + NumberSelect("relevancy", Steps(10, 100, 10), config.RELEVANCY) +
         " <label for=\"relevancy\">%\nof relevancy</label>\n<hr>\n" +
         CheckInput("radio", "method", "exact", exact, " Literal Search (exact)") + "\n" +
         NumberedSelect("terms", terms, kTermsAny, config.TERMS, "Literal Search terms") + "\n" +
         NumberedSelect("case", letterCase, kCaseInsensitive,
                        config.CASE != 0 ? kCaseSensitive : kCaseInsensitive,
                        "Literal Search letter case");
}

std::string ButtonsTable() {
  return "<table width=100% cellspacing=3 cellpadding=0><tr>\n"
         "<td align=\"left\"><input type=\"submit\" name=\"search\" value=\"Search\"></td>\n"
         "<td align=\"center\"><input type=\"submit\" name=\"help\" value=\"Help\"></td>\n"
         "<td align=\"right\"><input type=\"submit\" name=\"sitemap\" value=\"Site Map\">"
         "</td>\n</tr></table>\n";
}

// The report kind of the configured search method.
int ReportWithOf(const SearchConfig& config) {
  return config.METHOD == kMethodExact ? config.LITERALREPORTWITH : config.SUBJECTREPORTWITH;
}

// The rows of the form's table, one per line, and the end of the form; every
// control starts from the configuration's value.
std::string FormRows(const SearchConfig& config) {
  const std::string rows[] = {
      LabelledRow(
          "Search for:",
          "<input type=\"text\" name=\"query\" id=\"query\" size=45 maxlength=255 value=\"\">",
          "query"),
      LabelledRow("Report to you with:",
                  NumberSelect("quotes", {10, 25, 50, 100, 250, 500, 1000}, config.QUOTES) +
                      "\nselections from the most relevant pages",
                  "quotes"),
      LabelledRow("Display selections as:",
                  NumberedSelect("reportwith",
                                 {{"Q", "Quotations from original pages"},
                                  {"B", "Beginning of each page found"},
                                  {"DQ", "Page summary or quotations"},
                                  {"DB", "Page summary or beginning"}},
                                 kReportQ, ReportWithOf(config)),
                  "reportwith"),
      LabelledRow("Each selection contains:",
                  NumberSelect("quotesize", {100, 500, 1000, 2500, 5000}, config.QUOTESIZE) +
                      "\ncharacters",
                  "quotesize"),
      LabelledRow("Extract no more than:",
                  NumberSelect("quotesperdoc", Steps(1, 15, 1), config.QUOTESPERDOC) +
                      "\nquotations per a page",
                  "quotesperdoc"),
      LabelledRow("&nbsp;", CheckInput("checkbox", "plaintext", "yes", config.PLAINTEXT != 0,
                                       " Show plain text only in each selection")),
      WideRow("<hr>"),
      LabelledRow("Apply search method:", MethodControls(config)),
      WideRow(ButtonsTable()),
  };
  std::string html;
  for (const std::string& row : rows) html += (html.empty() ? "" : "\n") + row;
  return html + "</table>\n\n</td>\n</form>\n</tr>\n";
}

// The form's markup up to the engine's address, and from there up to the value
// of the hidden field "config".
const char kFormStart[] = "<tr>\n<form action=\"";
std::string FormMiddle(bool newWindow) {
  return std::string("\" method=\"POST\"") + (newWindow ? " target=\"_blank\"" : "") +
         ">\n<input type=\"hidden\" name=\"config\" value=\"";
}

// Everything after the value of the hidden field "config".
std::string FormBody(const SearchConfig& config) {
  return "\">\n<td align=\"center\">\n\n<table border=0 cellpadding=2>\n" + FormRows(config);
}

// Where the saved form is: the program's folder, the engine's data folder.
std::string SavedFormPath() {
  const std::unique_ptr<char, decltype(&std::free)> folder(getcwd(nullptr, 0), &std::free);
  if (folder == nullptr) return kSavedFormName;
  return std::string(folder.get()) + "/" + kSavedFormName;
}

}  // namespace

std::string EngineUrl(const std::optional<std::string>& scriptName) {
  const std::string pattern = kUtilityPath;
  if (!scriptName) return kFallbackEngineUrl;
  const std::size_t at = scriptName->find(pattern);
  if (at == std::string::npos) return kFallbackEngineUrl;
  return std::string(*scriptName).replace(at, pattern.size(), kEnginePath);
}

std::string BuildSearchForm(const AppState& state, bool newWindow) {
  return kFormStart + EscapeMarkup(EngineUrl(state.env.scriptName)) + FormMiddle(newWindow) +
         EscapeMarkup(state.currentConfig) + FormBody(state.searchConfig);
}

void WriteSearchForm(PageWriter& out, const AppState& state, bool newWindow) {
  out.WriteString(kFormStart).WriteValue(EngineUrl(state.env.scriptName));
  out.WriteString(FormMiddle(newWindow)).WriteValue(state.currentConfig);
  out.WriteString(FormBody(state.searchConfig));
}

void SaveSearchForm(AppState& state) {
  if (!PostedVersionIsCurrent(state, kSavedFormName)) return;
  LoadSearchConfig(state, state.currentConfig);
  const int error = ReplaceFile(kSavedFormName, [&state](TextFile& file) {
    file.WriteLine(
        "<html><head><title>Tovimarq - sample search form</title></head>"
        "<body bgcolor=\"#c0c0c0\"><center>\n<h2>Sample Search Form</h2>\n"
        "<table border=1 cellspacing=0 cellpadding=4>");
    file.WriteLine(BuildSearchForm(state, false));
    file.WriteLine("</table></center></body></html>");
  });
  state.messages.push_back(error != 0 ? SaveFailureMessage(kSavedFormName, error)
                                      : "Search form was saved successfully\nThe file is " +
                                            SavedFormPath() +
                                            ".\nCopy it into your site to use it: the web "
                                            "server does not serve the data folder.");
}
