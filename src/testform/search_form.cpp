// The sample search form: the engine's address, the form row and its saved page.
#include "testform/search_form.h"

#include <initializer_list>
#include <vector>

#include "app/app_state.h"
#include "fileio/text_file.h"
#include "html/escape.h"

namespace {

const char kUtilityPath[] = "/tovimarqdata/tvqconf";
const char kEnginePath[] = "/tovimarq";
const char kFallbackEngineUrl[] = "../tovimarq";
const char kSavedFormName[] = "searchform.htm";

struct Choice {
  std::string value;  // empty: the option has no value attribute, its text is sent
  std::string text;
};

// Choices whose texts are the numbers first, first + step, ... up to last.
std::vector<Choice> NumberRange(int first, int last, int step) {
  std::vector<Choice> choices;
  for (int number = first; number <= last; number += step) {
    choices.push_back({"", std::to_string(number)});
  }
  return choices;
}

std::vector<Choice> Numbers(std::initializer_list<const char*> numbers) {
  std::vector<Choice> choices;
  for (const char* number : numbers) choices.push_back({"", number});
  return choices;
}

std::string Select(const std::string& name, const std::vector<Choice>& choices,
                   const std::string& selectedText) {
  std::string html = "<select name=\"" + name + "\">\n";
  for (const Choice& choice : choices) {
    html += "<option";
    if (!choice.value.empty()) html += " value=\"" + choice.value + "\"";
    if (choice.text == selectedText) html += " selected";
    html += ">" + choice.text + "</option>\n";
  }
  return html + "</select>";
}

std::string LabelledRow(const std::string& label, const std::string& controls) {
  return "<tr><td>\n" + label + "</td>\n<td>" + controls + "</td></tr>";
}

std::string WideRow(const std::string& content) {
  return "<tr><td colspan=2>\n" + content + "</td></tr>";
}

std::string MethodControls() {
  return "<input type=\"radio\" name=\"method\" value=\"fuzzy\" checked>"
         " Subject Search (smart fuzzy) with\n" +
         Select("relevancy", NumberRange(10, 100, 10), "40") + " %\nof relevancy\n<hr>\n" +
         "<input type=\"radio\" name=\"method\" value=\"exact\"> Literal Search (exact)\n" +
         Select("terms",
                {{"any", "for any term"}, {"all", "for all terms"}, {"phrase", "as a phrase"}},
                "for all terms") +
         "\n" +
         Select("case",
                {{"insensitive", "case insensitive"}, {"sensitive", "case sensitive"}},
                "case insensitive");
}

std::string ButtonsTable() {
  return "<table width=100% cellspacing=3 cellpadding=0><tr>\n"
         "<td align=\"left\"><input type=\"submit\" name=\"search\" value=\"Search\"></td>\n"
         "<td align=\"center\"><input type=\"submit\" name=\"help\" value=\"Help\"></td>\n"
         "<td align=\"right\"><input type=\"submit\" name=\"sitemap\" value=\"Site Map\">"
         "</td>\n</tr></table>\n";
}

// The rows of the form's table, one per line, and the end of the form.
std::string FormRows() {
  const std::string rows[] = {
      LabelledRow("Search for:",
                  "<input type=\"text\" name=\"query\" size=45 maxlength=255 value=\"\">"),
      LabelledRow("Report to you with:",
                  Select("quotes", Numbers({"10", "25", "50", "100", "250", "500", "1000"}),
                         "25") +
                      "\nselections from the most relevant pages"),
      LabelledRow("Display selections as:",
                  Select("reportwith",
                         {{"Q", "Quotations from original pages"},
                          {"B", "Beginning of each page found"},
                          {"DQ", "Page summary or quotations"},
                          {"DB", "Page summary or beginning"}},
                         "Quotations from original pages")),
      LabelledRow("Each selection contains:",
                  Select("quotesize", Numbers({"100", "500", "1000", "2500", "5000"}), "1000") +
                      "\ncharacters"),
      LabelledRow("Extract no more than:",
                  Select("quotesperdoc", NumberRange(1, 15, 1), "5") + "\nquotations per a page"),
      LabelledRow("&nbsp;",
                  "<input type=\"checkbox\" name=\"plaintext\" value=\"yes\">"
                  " Show plain text only in each selection"),
      WideRow("<hr>"),
      LabelledRow("Apply search method:", MethodControls()),
      WideRow(ButtonsTable()),
  };
  std::string html;
  for (const std::string& row : rows) html += (html.empty() ? "" : "\n") + row;
  return html + "</table>\n\n</td>\n</form>\n</tr>\n";
}

// Everything after the value of the hidden field "config"; the same for every
// configuration.
const std::string& FormBody() {
  static const std::string body =
      "\">\n<td align=\"center\">\n\n<table border=0 cellpadding=2>\n" + FormRows();
  return body;
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
  std::string form = "<tr>\n<form action=\"" + EscapeMarkup(EngineUrl(state.env.scriptName)) +
                     "\" method=\"POST\"";
  if (newWindow) form += " target=\"_blank\"";
  form += ">\n<input type=\"hidden\" name=\"config\" value=\"";
  return form + EscapeMarkup(state.currentConfig) + FormBody();
}

void SaveSearchForm(AppState& state) {
  TextFile file;
  file.SetPath(kSavedFormName);
  file.OpenWrite();
  if (TakeFileError() != 0) {
    state.messages.push_back(std::string("Error creating file ") + kSavedFormName);
    return;
  }
  file.WriteLine(
      "<html><head><title>Tovimarq - sample search form</title></head>"
      "<body bgcolor=\"#c0c0c0\"><center>\n<h2>Sample Search Form</h2>\n"
      "<table border=1 cellspacing=0 cellpadding=4>");
  file.WriteLine(BuildSearchForm(state, false));
  file.WriteLine("</table></center></body></html>");
  file.Close();
  state.messages.push_back(TakeFileError() != 0
                               ? std::string("Error writing file ") + kSavedFormName
                               : "Search form was saved successfully");
}
