// The search configuration record: built-in defaults and loading the selected file.
#include "config/search_config.h"

#include <algorithm>

#include "app/app_state.h"
#include "config/config_reader.h"
#include "fileio/line_safety.h"
#include "fileio/text_file.h"

namespace {

// The result of ReadConfigLines for a name that never reaches the file system.
constexpr int kNameRefused = -1;

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

int ReadConfigLines(const std::string& path,
                    const std::function<bool(const std::string&)>& visit,
                    std::string* version) {
  if (HoldsLineBreakOrZero(path)) return kNameRefused;
  TextFile file;
  file.SetPath(path);
  file.OpenRead();
  if (const int error = TakeFileError(); error != 0) return error;
  const long size = file.Size();
  int error = TakeFileError();
  std::string line;
  bool whole = true;
  // The line reader would give an empty file one empty line; it has none.
  while (error == 0 && size > 0 && !file.AtEnd()) {
    file.ReadLine(line);
    error = TakeFileError();
    if (error == 0 && !visit(line)) {
      whole = false;
      break;
    }
  }
  if (version != nullptr && error == 0 && whole) *version = file.ContentId();
  file.Close();
  TakeFileError();
  return error;
}

void ReadSearchConfig(SearchConfig& config, const std::string& path) {
  AssignSearchDefaults(config);
  config.version = kNoContent;
  if (path.empty()) return;
  // A read error ends the reading with the lines read so far applied.
  ReadConfigLines(
      path,
      [&config](const std::string& line) {
        ParseConfigLine(config, line);
        return true;
      },
      &config.version);
}

void LoadSearchConfig(AppState& state, const std::string& path) {
  if (state.configLoaded) return;
  ReadSearchConfig(state.searchConfig, path);
  state.configLoaded = true;
}
