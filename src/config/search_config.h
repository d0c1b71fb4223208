// One search configuration file in memory: a field per key and a presence flag per field.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "fileio/content_id.h"

struct AppState;

// Values of the action field, set by the keys SEARCH, HELP and SITEMAP.
enum SearchAction : int { kActionSearch = 0, kActionHelp = 1, kActionSitemap = 2 };
enum SearchMethod : int { kMethodFuzzy = 0, kMethodExact = 1 };
enum TermsMode : int { kTermsAny = 0, kTermsAll = 1, kTermsPhrase = 2 };
enum CaseMode : int { kCaseInsensitive = 0, kCaseSensitive = 1 };
// Report kinds count from 1.
enum ReportWith : int { kReportQ = 1, kReportB = 2, kReportDQ = 3, kReportDB = 4 };

// Index of each field's presence flag, in field order.
enum ConfigField : int {
  kFieldQuery,
  kFieldLanguage,
  kFieldFileList,
  kFieldSubjectLayout,
  kFieldLiteralLayout,
  kFieldSitemapLayout,
  kFieldHelpFile,
  kFieldSiteRootUrl,
  kFieldWorkDir,
  kFieldFileExtensions,
  kFieldExcludeFileExtensions,
  kFieldAction,
  kFieldQuotes,
  kFieldQuoteSize,
  kFieldQuotesPerDoc,
  kFieldMethod,
  kFieldRelevancy,
  kFieldTerms,
  kFieldCase,
  kFieldAllowSitemap,
  kFieldWarnings,
  kFieldSubjectReportWith,
  kFieldLiteralReportWith,
  kFieldPlainText,
  kConfigFieldCount
};

// Bounds into which a numeric option is clamped, and the value that an invalid
// number in a configuration file stands for (the option's built-in default).
struct NumberRange {
  int lowest;
  int highest;
  int fallback;
};

inline constexpr NumberRange kQuotesRange{10, 1000, 25};
inline constexpr NumberRange kQuoteSizeRange{100, 10000, 1000};
inline constexpr NumberRange kQuotesPerDocRange{1, 15, 5};
inline constexpr NumberRange kRelevancyRange{0, 100, 40};

int ClampToRange(int number, const NumberRange& range);

// Fields are empty/zero until LoadSearchConfig assigns the defaults.
struct SearchConfig {
  std::string QUERY;
  std::string LANGUAGE;
  std::string FILELIST;
  std::string SUBJECTLAYOUT;
  std::string LITERALLAYOUT;
  std::string SITEMAPLAYOUT;
  std::string HELPFILE;
  std::string SITEROOTURL;
  std::string WORKDIR;
  std::string FILEEXTENSIONS;
  std::string EXCLUDEFILEEXTENSIONS;
  int action = 0;
  int QUOTES = 0;
  int QUOTESIZE = 0;
  int QUOTESPERDOC = 0;
  int METHOD = 0;
  int RELEVANCY = 0;
  int TERMS = 0;
  int CASE = 0;
  int ALLOWSITEMAP = 0;
  int WARNINGS = 0;
  int SUBJECTREPORTWITH = 0;
  int LITERALREPORTWITH = 0;
  int PLAINTEXT = 0;
  std::array<bool, kConfigFieldCount> present{};
  // The id of the file read whole into the record (kNoContent: none was).
  std::string version = kNoContent;
};

// Sets every field to the engine's built-in default; the presence flags stay.
void AssignSearchDefaults(SearchConfig& config);

// Hands every line of the file at path (without its line end, CRs dropped) to
// visit, until visit returns false. Returns 0, or the file error of the open or
// of the read that failed (the lines before it were visited); a name holding a
// zero byte, CR or LF is not opened and gives -1. When every line was visited,
// `version` (if given) receives the id of the file as read.
int ReadConfigLines(const std::string& path,
                    const std::function<bool(const std::string&)>& visit,
                    std::string* version = nullptr);

// Sets config to the defaults, then applies every line of the file at path;
// the presence flags are added to, never cleared. A file that cannot be read,
// or an empty path, leaves the defaults.
void ReadSearchConfig(SearchConfig& config, const std::string& path);

// Fills state.searchConfig from `path` once per process (flag configLoaded):
// the defaults, then every line of the file. A file that cannot be read, or
// an empty path, leaves the defaults.
void LoadSearchConfig(AppState& state, const std::string& path);
