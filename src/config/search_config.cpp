// The search configuration record: built-in defaults and loading the selected file.
#include "config/search_config.h"

#include <algorithm>

#include "app/app_state.h"
#include "config/config_reader.h"
#include "fileio/line_safety.h"
#include "fileio/text_file.h"

namespace {

// Applies every line of the file at path; a file that cannot be opened changes
// nothing, and a read error ends the reading with the lines read so far.
void ApplyConfigFile(SearchConfig& config, const std::string& path) {
  if (HoldsLineBreakOrZero(path)) return;
  TextFile file;
  file.SetPath(path);
  file.OpenRead();
  if (TakeFileError() != 0) return;
  std::string line;
  while (!file.AtEnd()) {
    file.ReadLine(line);
    if (lastFileError != 0) break;
    ParseConfigLine(config, line);
  }
  file.Close();
  TakeFileError();
}

}  // namespace

int ClampToRange(int number, const NumberRange& range) {
  return std::clamp(number, range.lowest, range.highest);
}

void AssignSearchDefaults(SearchConfig& config) {
  const auto present = config.present;
  config = SearchConfig{};
  config.QUERY = "NoPhrase";
  config.LANGUAGE = "English.tvl";
  config.FILELIST = "filelist.txt";
  config.SUBJECTLAYOUT = "layout_s.htm";
  config.LITERALLAYOUT = "layout_l.htm";
  config.SITEMAPLAYOUT = "sitemap.htm";
  config.HELPFILE = "help.htm";
  config.SITEROOTURL = "http://www.example.com";
  config.WORKDIR = "workdir";
  config.action = kActionSearch;
  config.QUOTES = kQuotesRange.fallback;
  config.QUOTESIZE = kQuoteSizeRange.fallback;
  config.QUOTESPERDOC = kQuotesPerDocRange.fallback;
  config.METHOD = kMethodFuzzy;
  config.RELEVANCY = kRelevancyRange.fallback;
  config.TERMS = kTermsAll;
  config.CASE = kCaseInsensitive;
  config.ALLOWSITEMAP = 1;
  config.WARNINGS = 1;
  config.SUBJECTREPORTWITH = kReportQ;
  config.LITERALREPORTWITH = kReportDQ;
  config.PLAINTEXT = 0;
  config.present = present;
}

void LoadSearchConfig(AppState& state, const std::string& path) {
  if (state.configLoaded) return;
  AssignSearchDefaults(state.searchConfig);
  if (!path.empty()) ApplyConfigFile(state.searchConfig, path);
  state.configLoaded = true;
}
