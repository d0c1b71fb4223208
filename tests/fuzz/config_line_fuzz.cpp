// Fuzz target: configuration files, one line after the other, into a SearchConfig.
#include <cstddef>
#include <cstdint>
#include <string>

#include "config/config_reader.h"
#include "config/search_config.h"
#include "filelist/url.h"
#include "fuzz_support.h"

namespace {

bool Within(int number, int lowest, int highest) { return number >= lowest && number <= highest; }

bool Within(int number, const NumberRange& range) {
  return Within(number, range.lowest, range.highest);
}

// Every number the pages and the search form take from the record is one
// they know how to show.
void CheckRecord(const SearchConfig& config) {
  Require(Within(config.QUOTES, kQuotesRange) && Within(config.QUOTESIZE, kQuoteSizeRange) &&
              Within(config.QUOTESPERDOC, kQuotesPerDocRange) &&
              Within(config.RELEVANCY, kRelevancyRange),
          "numbers stay within their ranges");
  Require(Within(config.action, kActionSearch, kActionSitemap) &&
              Within(config.METHOD, kMethodFuzzy, kMethodExact) &&
              Within(config.TERMS, kTermsAny, kTermsPhrase) &&
              Within(config.CASE, kCaseInsensitive, kCaseSensitive) &&
              Within(config.ALLOWSITEMAP, 0, 1) && Within(config.WARNINGS, 0, 1) &&
              Within(config.PLAINTEXT, 0, 1) &&
              Within(config.SUBJECTREPORTWITH, kReportQ, kReportDB) &&
              Within(config.LITERALREPORTWITH, kReportQ, kReportDB),
          "keyword options hold one of their values");
  Require(config.SITEROOTURL.find('\0') == std::string::npos,
          "the site root address holds no zero byte");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  SearchConfig config;
  AssignSearchDefaults(config);
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    ParseConfigLine(config, text.substr(start, end - start));
    start = end + 1;
  }
  CheckRecord(config);
  return 0;
}
