// The 23 option rows of the search defaults, in page order.
#include "config/search_options.h"

#include <algorithm>

namespace {

using C = SearchConfig;

// What every row has: its names, its words on the page and its line's place.
struct RowBasics {
  const char* name;
  ConfigField field;
  const char* label;
  const char* scriptName;
  int fileOrder;
};

SearchOption Row(const RowBasics& basics, const char* help) {
  SearchOption option{basics.name, basics.field, basics.label, basics.scriptName, help};
  option.fileOrder = basics.fileOrder;
  return option;
}

SearchOption TextRow(const RowBasics& basics, std::string C::*text, int maxLength,
                     const char* key, const char* help) {
  SearchOption option = Row(basics, help);
  option.text = text;
  option.size = 40;
  option.maxLength = maxLength;
  option.key = key;
  return option;
}

SearchOption LanguageRow(const RowBasics& basics, const char* help) {
  SearchOption option = Row(basics, help);
  option.control = OptionControl::kLanguageSelect;
  option.text = &C::LANGUAGE;
  option.key = "LANGUAGE";
  option.suffix = kLanguageExtension;
  return option;
}

SearchOption NumberRow(const RowBasics& basics, int C::*number, int maxLength,
                       NumberRange range, const char* key, const char* help) {
  SearchOption option = Row(basics, help);
  option.control = OptionControl::kNumber;
  option.number = number;
  option.size = 5;
  option.maxLength = maxLength;
  option.range = range;
  option.save = SaveRule::kInteger;
  option.key = key;
  return option;
}

// A select whose posted value must be one of its choices.
SearchOption KeywordRow(const RowBasics& basics, int C::*number,
                        std::vector<OptionChoice> choices, const char* help) {
  SearchOption option = Row(basics, help);
  option.control = OptionControl::kSelect;
  option.number = number;
  option.choices = std::move(choices);
  option.save = SaveRule::kKeyword;
  return option;
}

SearchOption CheckBoxRow(const RowBasics& basics, int C::*number, const char* caption,
                         const char* checkedText, const char* uncheckedText,
                         const char* key, const char* help) {
  SearchOption option = Row(basics, help);
  option.control = OptionControl::kCheckBox;
  option.number = number;
  option.caption = caption;
  option.checkedText = checkedText;
  option.uncheckedText = uncheckedText;
  option.save = SaveRule::kFlag;
  option.key = key;
  return option;
}

// The report selects post their value as text, which is written unchecked.
SearchOption ReportRow(const RowBasics& basics, int C::*number, const char* key,
                       const char* help) {
  SearchOption option = KeywordRow(basics, number,
                                   {{"Q", "Quotations from original pages", kReportQ, nullptr},
                                    {"B", "Beginning of each page found", kReportB, nullptr},
                                    {"DQ", "Page summary or quotations", kReportDQ, nullptr},
                                    {"DB", "Page summary or beginning", kReportDB, nullptr}},
                                   help);
  option.save = SaveRule::kText;
  option.key = key;
  return option;
}

SearchOption WithWideHelp(SearchOption option) {
  option.wideHelp = true;
  return option;
}

// A select of "NO" and "YES" for a field in which any non-zero value means yes.
SearchOption AsYesOrNo(SearchOption option) {
  option.anyNonZeroIsOne = true;
  return option;
}

std::vector<SearchOption> BuildSearchOptions() {
  return {
      LanguageRow({"language", kFieldLanguage, "Language:", "Language", 4},
                  "The language of the documents of your site. The default is English."),
      TextRow({"filelist", kFieldFileList, "File List:", "File List", 5}, &C::FILELIST, 260,
              "FILELIST",
              "The file that lists the documents and folders to search. The file must "
              "exist. The default is filelist.txt."),
      TextRow({"helpfile", kFieldHelpFile, "End-User Help file:", "End-User Help file", 6},
              &C::HELPFILE, 260, "HELPFILE",
              "The file shown to users who press HELP in the search query form. The "
              "default is help.htm."),
      TextRow({"layouts", kFieldSubjectLayout, "Report template for Subject Search:",
               "Report template for Subject Search", 1},
              &C::SUBJECTLAYOUT, 260, "SUBJECTLAYOUT",
              "Report templates are nearly finished HTML documents holding "
              "macroinstructions, which the engine replaces with the results of a "
              "search. This one serves Subject Search. The default is layout_s.htm."),
      TextRow({"layoutl", kFieldLiteralLayout, "Report template for Literal Search:",
               "Report template for Literal Search", 2},
              &C::LITERALLAYOUT, 260, "LITERALLAYOUT",
              "The report template for Literal Search. It may be the same file as the "
              "template for Subject Search. The default is layout_l.htm."),
      TextRow({"sitemap", kFieldSitemapLayout, "Site Map template:", "Site Map template", 3},
              &C::SITEMAPLAYOUT, 260, "SITEMAPLAYOUT",
              "The template from which the site map is generated. The default is "
              "sitemap.htm."),
      TextRow({"siterooturl", kFieldSiteRootUrl, "Web server's Internet address:",
               "Web server's Internet address", 7},
              &C::SITEROOTURL, 100, "SITEROOTURL",
              "The Internet address of your site, such as http://www.example.com/. The "
              "addresses in the file list are taken relative to it."),
      TextRow({"workdir", kFieldWorkDir, "Directory for temporary files and indexes:",
               "Directory for temporary files and indexes", 8},
              &C::WORKDIR, 260, "WORKDIR",
              "The working folder in which the engine creates, reads, modifies and "
              "deletes its temporary files and indexes. It needs about as much free "
              "space as all your HTML documents together. By default it is the "
              "subdirectory workdir of the tovimarqdata directory. Do not modify its "
              "contents by hand; for the best speed place it on your fastest drive."),
      KeywordRow({"action", kFieldAction, "Default action:", "Default action", 11},
                 &C::action,
                 {{"SEARCH", "Perform search", kActionSearch, "SEARCH="},
                  {"SITEMAP", "Generate the site map", kActionSitemap, "SITEMAP="},
                  {"HELP", "Respond with the contents of the HELP file", kActionHelp,
                   "HELP="}},
                 "What the engine does when the search form names no action. By "
                 "default it performs a search."),
      NumberRow({"quotes", kFieldQuotes, "Number of quotes to generate:",
                 "Number of quotes to generate", 12},
                &C::QUOTES, 4, kQuotesRange, "QUOTES",
                "The maximum number of hits in one report. The default is 25."),
      NumberRow({"quotesize", kFieldQuoteSize, "Quotation size:", "Quotation size", 13},
                &C::QUOTESIZE, 5, kQuoteSizeRange, "QUOTESIZE",
                "The size of a quotation in characters. The default is 1,000."),
      WithWideHelp(NumberRow({"quotesperdoc", kFieldQuotesPerDoc,
                              "Max. number of quotes that can be extracted from the same file:",
                              "Max. number of quotes from the same file", 14},
                             &C::QUOTESPERDOC, 2, kQuotesPerDocRange, "QUOTESPERDOC",
                             "How many quotations one document may contribute to a "
                             "report. The default is 5.")),
      KeywordRow({"method", kFieldMethod, "Search method:", "Search method", 15}, &C::METHOD,
                 {{"FUZZY", "Subject Search", kMethodFuzzy, "METHOD=FUZZY"},
                  {"EXACT", "Literal Search", kMethodExact, "METHOD=EXACT"}},
                 "Subject Search accepts enquiries in natural language and is the "
                 "default. Literal Search suits digits, numbers and names."),
      NumberRow({"relevancy", kFieldRelevancy, "Minimum percentage of relevancy:",
                 "Minimum percentage of relevancy", 16},
                &C::RELEVANCY, 3, kRelevancyRange, "RELEVANCY",
                "Applies to Subject Search only. Every quotation is ranked from 0% to "
                "100%, and the quotations whose relevancy does not exceed this value are "
                "skipped. The default is 40."),
      KeywordRow({"terms", kFieldTerms, "Type of Literal Search:", "Type of Literal Search",
                  17},
                 &C::TERMS,
                 {{"ANY", "Search for any term in a query", kTermsAny, "TERMS=ANY"},
                  {"ALL", "Search for all terms", kTermsAll, "TERMS=ALL"},
                  {"PHRASE", "Search for the entire phrase", kTermsPhrase, "TERMS=PHRASE"}},
                 "How Literal Search handles a query of several terms. By default it "
                 "searches for all terms."),
      AsYesOrNo(KeywordRow({"casesensitive", kFieldCase,
                            "Case sensitivity (Literal Search only):", "Case sensitivity", 18},
                           &C::CASE,
                           {{"NO", "Case insensitive", kCaseInsensitive, "CASE=INSENSITIVE"},
                            {"YES", "Case sensitive", kCaseSensitive, "CASE=SENSITIVE"}},
                           "Literal Search compares letters without regard to case by "
                           "default.")),
      CheckBoxRow({"allowsitemap", kFieldAllowSitemap, "Generating site maps:",
                   "Generating site maps", 19},
                  &C::ALLOWSITEMAP, "Allow generating the Site Map", "Allowed", "Not allowed",
                  "ALLOWSITEMAP",
                  "When generating site maps is not allowed, the search form cannot "
                  "override this. Allowed by default."),
      TextRow({"fileext", kFieldFileExtensions, "File extensions:", "File extensions", 9},
              &C::FILEEXTENSIONS, 100, "FILEEXTENSIONS",
              "The extensions, separated by semicolons, of the files to include when the "
              "file list names whole directories, such as htm;html;txt. Leave it blank "
              "to include all files."),
      TextRow({"exclext", kFieldExcludeFileExtensions, "Exclude file extensions:",
               "Exclude file extensions", 10},
              &C::EXCLUDEFILEEXTENSIONS, 100, "EXCLUDEFILEEXTENSIONS",
              "The extensions, separated by semicolons, of the files to skip while "
              "scanning directories, besides GIF, JPG and JPEG, which are always "
              "skipped. This matters only when File extensions is blank or omitted."),
      CheckBoxRow({"warnings", kFieldWarnings, "Language warnings:", "Language warnings",
                   20},
                  &C::WARNINGS, "Warn users of inappropriate language", "Enabled",
                  "Disabled", "WARNINGS",
                  "Whether reports warn users when the language of their query does not "
                  "match the configured language, and that case-insensitive search is "
                  "not supported for Japanese, Chinese and Korean. Allowed by default."),
      ReportRow({"repwiths", kFieldSubjectReportWith, "Display hits as (Subject Search):",
                 "Display hits as (Subject Search)", 22},
                &C::SUBJECTREPORTWITH, "SUBJECTREPORTWITH",
                "Which part of the pages found goes into the reports of Subject Search. "
                "The default is quotations from the original pages."),
      ReportRow({"repwithl", kFieldLiteralReportWith, "Display hits as (Literal Search):",
                 "Display hits as (Literal Search)", 23},
                &C::LITERALREPORTWITH, "LITERALREPORTWITH",
                "The same for the reports of Literal Search. The default is page "
                "summaries or, where a page has none, quotations."),
      CheckBoxRow({"plaintext", kFieldPlainText, "Quotation format:", "Quotation format", 21},
                  &C::PLAINTEXT, "Show plain text only", "Plain text", "Preserve formatting",
                  "PLAINTEXT",
                  "Whether quotations keep text attributes such as headings and "
                  "paragraphs. Formatting is preserved by default."),
  };
}

}  // namespace

const std::vector<SearchOption>& SearchOptions() {
  static const std::vector<SearchOption> options = BuildSearchOptions();
  return options;
}

std::vector<const SearchOption*> SearchOptionsInFileOrder() {
  std::vector<const SearchOption*> ordered;
  for (const SearchOption& option : SearchOptions()) ordered.push_back(&option);
  std::sort(ordered.begin(), ordered.end(),
            [](const SearchOption* a, const SearchOption* b) { return a->fileOrder < b->fileOrder; });
  return ordered;
}

std::string IncludeName(const SearchOption& option) { return std::string("is") + option.name; }

int ValueElementNumber(const SearchOption& option) {
  return 2 * static_cast<int>(&option - SearchOptions().data()) + 2;
}
