// The configuration file format: the key table and the conversion of each value.
#include "config/config_reader.h"

#include <string_view>
#include <vector>

#include "cgi/form_data.h"
#include "cgi/url_decode.h"
#include "config/config_text.h"
#include "filelist/url.h"

namespace {

enum class Conversion {
  kDecoded,     // percent-decoded text
  kRaw,         // text exactly as written
  kAddress,     // normalised Internet address
  kInteger,     // whole integer, clamped; invalid gives the default
  kKeyword,     // one of a fixed set of words, any letter case
  kReportWith,  // Q, B, DQ or DB
  kFixed,       // the key alone sets a value; the value is ignored
};

// A keyword and the number it stores; into the key's own field unless
// `target` names another one.
struct Keyword {
  const char* word;
  int value;
  int SearchConfig::*target = nullptr;
};

struct KeyRule {
  std::string_view key;  // compared by length first
  ConfigField field;
  Conversion conversion;
  std::string SearchConfig::*text = nullptr;
  int SearchConfig::*number = nullptr;
  NumberRange range{};
  std::vector<Keyword> keywords{};
  int fixedValue = 0;
};

KeyRule Text(const char* key, ConfigField field, std::string SearchConfig::*text,
             Conversion conversion = Conversion::kDecoded) {
  return {key, field, conversion, text};
}

KeyRule Integer(const char* key, ConfigField field, int SearchConfig::*number,
                NumberRange range) {
  return {key, field, Conversion::kInteger, nullptr, number, range};
}

KeyRule Words(const char* key, ConfigField field, int SearchConfig::*number,
              std::vector<Keyword> keywords) {
  return {key, field, Conversion::kKeyword, nullptr, number, {}, std::move(keywords)};
}

KeyRule ReportWith(const char* key, ConfigField field, int SearchConfig::*number) {
  return {key, field, Conversion::kReportWith, nullptr, number};
}

KeyRule Action(const char* key, SearchAction action) {
  return {key, kFieldAction, Conversion::kFixed, nullptr, &SearchConfig::action, {}, {}, action};
}

const std::vector<Keyword> kNoYes = {{"NO", 0}, {"YES", 1}};

const std::vector<Keyword> kReportWords = {
    {"Q", kReportQ}, {"B", kReportB}, {"DQ", kReportDQ}, {"DB", kReportDB}};

// Every key of the format, in the order in which a line's key is compared.
const std::vector<KeyRule>& KeyRules() {
  using C = SearchConfig;
  static const std::vector<KeyRule> rules = {
      Text("QUERY", kFieldQuery, &C::QUERY),
      Action("SEARCH", kActionSearch),
      Action("HELP", kActionHelp),
      Action("SITEMAP", kActionSitemap),
      Integer("QUOTES", kFieldQuotes, &C::QUOTES, kQuotesRange),
      Integer("QUOTESIZE", kFieldQuoteSize, &C::QUOTESIZE, kQuoteSizeRange),
      Integer("QUOTESPERDOC", kFieldQuotesPerDoc, &C::QUOTESPERDOC, kQuotesPerDocRange),
      Words("METHOD", kFieldMethod, &C::METHOD,
            {{"FUZZY", kMethodFuzzy}, {"EXACT", kMethodExact}}),
      Integer("RELEVANCY", kFieldRelevancy, &C::RELEVANCY, kRelevancyRange),
      // "TERMS=FUZZY" is an old spelling of "METHOD=FUZZY".
      Words("TERMS", kFieldTerms, &C::TERMS,
            {{"ANY", kTermsAny},
             {"ALL", kTermsAll},
             {"PHRASE", kTermsPhrase},
             {"FUZZY", kMethodFuzzy, &C::METHOD}}),
      Words("CASE", kFieldCase, &C::CASE,
            {{"INSENSITIVE", kCaseInsensitive}, {"SENSITIVE", kCaseSensitive}}),
      Text("LANGUAGE", kFieldLanguage, &C::LANGUAGE),
      Text("FILELIST", kFieldFileList, &C::FILELIST),
      Text("SUBJECTLAYOUT", kFieldSubjectLayout, &C::SUBJECTLAYOUT),
      Text("LITERALLAYOUT", kFieldLiteralLayout, &C::LITERALLAYOUT),
      Text("SITEMAPLAYOUT", kFieldSitemapLayout, &C::SITEMAPLAYOUT),
      Text("SITEROOTURL", kFieldSiteRootUrl, &C::SITEROOTURL, Conversion::kAddress),
      Text("WORKDIR", kFieldWorkDir, &C::WORKDIR),
      Text("HELPFILE", kFieldHelpFile, &C::HELPFILE),
      Words("ALLOWSITEMAP", kFieldAllowSitemap, &C::ALLOWSITEMAP, kNoYes),
      Words("WARNINGS", kFieldWarnings, &C::WARNINGS, kNoYes),
      Text("FILEEXTENSIONS", kFieldFileExtensions, &C::FILEEXTENSIONS, Conversion::kRaw),
      Text("EXCLUDEFILEEXTENSIONS", kFieldExcludeFileExtensions,
           &C::EXCLUDEFILEEXTENSIONS, Conversion::kRaw),
      ReportWith("SUBJECTREPORTWITH", kFieldSubjectReportWith, &C::SUBJECTREPORTWITH),
      ReportWith("LITERALREPORTWITH", kFieldLiteralReportWith, &C::LITERALREPORTWITH),
      Words("PLAINTEXT", kFieldPlainText, &C::PLAINTEXT, kNoYes),
  };
  return rules;
}

// The rule of a key, upper-cased and compared whole; none for an unknown key.
const KeyRule* FindKeyRule(std::string_view key) {
  const std::string upper = ToUpperAscii(key);
  for (const KeyRule& rule : KeyRules()) {
    if (upper == rule.key) return &rule;
  }
  return nullptr;
}

// The rule of the line's key, the text before the first "="; none for a line
// without "=" or with an unknown key.
const KeyRule* FindLineRule(const std::string& line) {
  const std::string::size_type equals = line.find('=');
  if (equals == std::string::npos) return nullptr;
  return FindKeyRule(std::string_view(line).substr(0, equals));
}

// The keyword that value spells in any letter case, or nullptr.
const Keyword* FindKeyword(const std::vector<Keyword>& keywords, const std::string& value) {
  const std::string word = ToUpperAscii(value);
  for (const Keyword& keyword : keywords) {
    if (word == keyword.word) return &keyword;
  }
  return nullptr;
}

int WholeIntOr(const std::string& value, int fallback) {
  int number = 0;
  return ParseWholeInt(value, number) == 0 ? number : fallback;
}

void ApplyValue(SearchConfig& config, const KeyRule& rule, const std::string& value) {
  switch (rule.conversion) {
    case Conversion::kDecoded: config.*rule.text = UrlDecode(value); break;
    case Conversion::kRaw: config.*rule.text = value; break;
    case Conversion::kAddress: config.*rule.text = ResolveUrl("", value); break;
    case Conversion::kInteger:
      config.*rule.number = ClampToRange(WholeIntOr(value, rule.range.fallback), rule.range);
      break;
    case Conversion::kKeyword:
      if (const Keyword* keyword = FindKeyword(rule.keywords, value)) {
        config.*(keyword->target != nullptr ? keyword->target : rule.number) = keyword->value;
      }
      break;
    case Conversion::kReportWith: ParseReportWith(value, config.*rule.number); break;
    case Conversion::kFixed: config.*rule.number = rule.fixedValue; break;
  }
}

}  // namespace

void ParseReportWith(const std::string& value, int& field) {
  if (const Keyword* keyword = FindKeyword(kReportWords, value)) field = keyword->value;
}

void ParseConfigLine(SearchConfig& config, const std::string& line) {
  const KeyRule* rule = FindLineRule(line);
  if (rule == nullptr) return;
  // The option counts as named by the file even when its value is not understood.
  config.present[rule->field] = true;
  ApplyValue(config, *rule, line.substr(line.find('=') + 1));
}

std::optional<ConfigField> ConfigLineField(const std::string& line) {
  const KeyRule* rule = FindLineRule(line);
  if (rule == nullptr) return std::nullopt;
  return rule->field;
}

std::string ConfigLine(std::string_view key, std::string_view value) {
  const KeyRule* rule = FindKeyRule(key);
  const bool decoded = rule != nullptr && rule->conversion == Conversion::kDecoded;
  return std::string(key) + "=" + (decoded ? ProtectFromUrlDecode(value) : std::string(value));
}

bool IsConfigLine(const std::string& line) {
  const std::string content = TrimBlanks(line);
  if (content.empty() || content[0] == ';' || content[0] == '#') return true;
  const std::string::size_type equals = line.find('=');
  return equals != std::string::npos && equals > 0;
}
