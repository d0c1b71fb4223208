// Address functions: trimming, URL test, normalisation and resolution of references.
#include "filelist/url.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <optional>

#include "html/escape.h"

namespace {

constexpr std::size_t kNone = std::string::npos;

constexpr std::array<unsigned char, 256> BuildLowerCaseMap() {
  std::array<unsigned char, 256> map{};
  for (int byte = 0; byte < 256; ++byte) map[byte] = static_cast<unsigned char>(byte);
  for (int byte = 'A'; byte <= 'Z'; ++byte) map[byte] = static_cast<unsigned char>(byte + 0x20);
  for (int byte = 0xC0; byte <= 0xDE; ++byte) {
    if (byte != 0xD7) map[byte] = static_cast<unsigned char>(byte + 0x20);
  }
  map[0x8A] = 0x9A;
  map[0x8C] = 0x9C;
  map[0x9F] = 0xFF;
  return map;
}

constexpr std::array<bool, 256> BuildUrlEscapeSet() {
  std::array<bool, 256> set{};
  for (int byte = 0x01; byte <= 0x20; ++byte) set[byte] = true;
  for (int byte : {0x22, 0x26, 0x3C, 0x3E, 0x5B, 0x5C, 0x5D, 0x5E, 0x60, 0x7B, 0x7C,
                   0x7D, 0x7F, 0x98, 0xA0, 0xA4, 0xA6, 0xA7, 0xA9, 0xAB, 0xAC, 0xAD,
                   0xAE, 0xB0, 0xB1, 0xB5, 0xB6, 0xB7, 0xBB}) {
    set[byte] = true;
  }
  return set;
}

unsigned char Code(char byte) { return static_cast<unsigned char>(byte); }

bool IsSeparator(char byte) { return byte == '/' || byte == '\\'; }

bool IsBlank(char byte) { return Code(byte) <= 0x20; }

void CutAtZeroByte(std::string& text) { text.resize(std::min(text.find('\0'), text.size())); }

// A byte as the URL test reads it: lower case, a backslash as a slash.
char Folded(char byte) {
  return byte == '\\' ? '/' : static_cast<char>(LowerCaseMap[Code(byte)]);
}

bool BeginsWithFileScheme(std::string_view text) {
  constexpr std::string_view kFileScheme = "file://";
  if (text.size() < kFileScheme.size()) return false;
  for (std::size_t i = 0; i < kFileScheme.size(); ++i) {
    if (Folded(text[i]) != kFileScheme[i]) return false;
  }
  return true;
}

std::string_view TrimmedView(std::string_view text) {
  const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
  const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
  return first < last ? text.substr(static_cast<std::size_t>(first - text.begin()),
                                    static_cast<std::size_t>(last - first))
                      : std::string_view();
}

// Finds `pattern` (made of bytes other than letters and "\\") as the URL test
// reads the text: a backslash reads as a slash. No copy is made.
std::size_t FindFolded(std::string_view text, std::string_view pattern) {
  for (std::size_t i = 0; i + pattern.size() <= text.size(); ++i) {
    std::size_t matched = 0;
    while (matched < pattern.size() &&
           (text[i + matched] == '\\' ? '/' : text[i + matched]) == pattern[matched]) {
      ++matched;
    }
    if (matched == pattern.size()) return i;
  }
  return kNone;
}

std::size_t FindSchemeMark(std::string_view text) { return FindFolded(text, "://"); }

// Where the host begins: just after the first "://".
std::size_t SchemeEnd(std::string_view text) {
  const std::size_t mark = FindSchemeMark(text);
  return mark == kNone ? kNone : mark + 3;
}

// The third separator; with exactly two, the last byte; with fewer, none.
std::size_t AuthorityEnd(std::string_view text) {
  int separators = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsSeparator(text[i]) && ++separators == 3) return i;
  }
  return separators == 2 ? text.size() - 1 : kNone;
}

std::size_t LastSeparator(std::string_view text) {
  for (std::size_t i = text.size(); i-- > 0;) {
    if (IsSeparator(text[i])) return i;
  }
  return kNone;
}

std::size_t QueryStart(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '?' || text[i] == '#') return i;
  }
  return kNone;
}

void TrimInPlace(std::string& text) {
  const std::string_view trimmed = TrimmedView(text);
  if (trimmed.size() == text.size()) return;
  text.erase(0, static_cast<std::size_t>(trimmed.data() - text.data()));
  text.resize(trimmed.size());
}

bool IsDrivePath(const std::string& text) {
  return text.size() >= 2 && (text[1] == ':' || text[1] == '|');
}

// Gives an address whose authority (from hostStart) is followed by no path the
// root path "/", placed before its query when it has one.
bool AddMissingRootPath(std::string& text, std::size_t hostStart) {
  const std::size_t query = QueryStart(text);
  const std::size_t pathEnd = query != kNone && query >= hostStart ? query : text.size();
  const auto host = text.begin() + static_cast<std::ptrdiff_t>(hostStart);
  if (std::any_of(host, text.begin() + static_cast<std::ptrdiff_t>(pathEnd), IsSeparator)) {
    return false;
  }
  text.insert(pathEnd, 1, '/');
  return true;
}

// A text that is "//" and a host only ("//host", "//host?q") gets the root path.
bool AddRootToAuthorityOnlyForm(std::string& text) {
  return text.compare(0, 2, "//") == 0 && AddMissingRootPath(text, 2);
}

bool HasUserInformation(std::string_view text) {
  const std::size_t at = text.find('@');
  const std::size_t authorityEnd = AuthorityEnd(text);
  return at != kNone && authorityEnd != kNone && at <= authorityEnd;
}

// The longest text one byte becomes ("%5C").
constexpr std::size_t kMaxEscapeSize = 3;

char* WriteEscape(char* out, unsigned char byte) {
  static const char kHexDigits[] = "0123456789ABCDEF";
  out[0] = '%';
  out[1] = kHexDigits[byte >> 4];
  out[2] = kHexDigits[byte & 0x0F];
  return out + kMaxEscapeSize;
}

// The byte-by-byte pass over a text: backslashes of a URL become slashes, the
// path is escaped, scheme, host and the host part of user information are
// lower-cased; nothing after the first "#" or "?" changes.
class ByteWalk {
 public:
  ByteWalk(bool url, bool userInformation) : url_(url), userInformation_(userInformation) {}

  // The bytes of a character of a UTF-8 name are kept as they are: escaping
  // some of them would leave an address that is neither UTF-8 nor plain ASCII.
  std::string Run(std::string_view text) {
    std::string out(text.size() * kMaxEscapeSize, '\0');
    char* end = out.data();
    std::size_t characterLeft = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (characterLeft == 0 && Code(text[i]) >= 0x80) {
        characterLeft = Utf8SequenceLength(text.substr(i));
      }
      end = Step(text[i], end, characterLeft > 0);
      if (characterLeft > 0) --characterLeft;
    }
    out.resize(static_cast<std::size_t>(end - out.data()));
    return out;
  }

 private:
  char* Step(char byte, char* out, bool inCharacter) {
    if (url_ && open_ && byte == '\\') byte = '/';
    if ((!url_ || slashes_ > 2) && open_ && !inCharacter && UrlEscapeSet[Code(byte)]) {
      return WriteEscape(out, Code(byte));
    }
    if (open_ && !inCharacter && InLowerCasePart()) {
      byte = static_cast<char>(LowerCaseMap[Code(byte)]);
    }
    *out = byte;
    if (byte == '#' || byte == '?') open_ = false;
    if (byte == '@') seenAt_ = true;
    if (byte == '/') ++slashes_;
    return out + 1;
  }

  bool InLowerCasePart() const {
    if (userInformation_) return slashes_ <= 1 || (slashes_ == 2 && seenAt_);
    return url_ && slashes_ <= 2;
  }

  const bool url_;
  const bool userInformation_;
  bool open_ = true;
  bool seenAt_ = false;
  int slashes_ = 0;
};

// The nearest separator before index `before`, not looking below index 1; 0 if none.
std::size_t PreviousSeparator(std::string_view text, std::size_t before) {
  for (std::size_t i = before; i-- > 1;) {
    if (IsSeparator(text[i])) return i;
  }
  return 0;
}

// Folds "/../" steps of the path; a step above the root is dropped.
void FoldParentSteps(std::string& text) {
  for (;;) {
    const std::size_t step = FindFolded(text, "/../");
    const std::size_t query = QueryStart(text);
    if (step == kNone || (query != kNone && step >= query)) return;
    const std::size_t previous = PreviousSeparator(text, step);
    if (previous < SchemeEnd(text)) {
      text.erase(step, 3);
    } else {
      text.erase(previous, step + 3 - previous);
    }
  }
}

// "http://h?q/r" keeps its query but gets the root path: "http://h/?q/r".
void PutRootBeforeQuery(std::string& text) {
  const std::size_t query = QueryStart(text);
  const std::size_t authorityEnd = AuthorityEnd(text);
  if (query != kNone && authorityEnd != kNone && query < authorityEnd) text.insert(query, 1, '/');
}

std::string_view Cleaned(std::string_view text) {
  return TrimmedView(text.substr(0, std::min(text.find('\0'), text.size())));
}

bool IsSchemeRelative(const std::string& reference) {
  return reference.size() >= 2 && IsSeparator(reference[0]) && IsSeparator(reference[1]);
}

// The places of a base that decide how much of it a reference keeps.
struct BaseMarks {
  std::size_t authorityEnd;
  std::size_t lastSeparator;
  std::size_t queryStart;
};

BaseMarks MarksOf(std::string_view base) {
  return {AuthorityEnd(base), LastSeparator(base), QueryStart(base)};
}

// A reference replaces the base's query, and its file name unless the query
// follows the host directly.
void DropBaseQuery(std::string& base) {
  const BaseMarks marks = MarksOf(base);
  if (marks.queryStart == kNone) return;
  base.resize(marks.queryStart);
  if (marks.authorityEnd == kNone || marks.queryStart > marks.authorityEnd) {
    const std::size_t separator = LastSeparator(base);
    base.resize(separator == kNone ? 0 : separator + 1);
  }
}

// Without a reference the base's query stays, but the script name before it goes.
void DropScriptBeforeQuery(std::string& base) {
  const BaseMarks marks = MarksOf(base);
  if (marks.queryStart == kNone) return;
  if (marks.authorityEnd != kNone && marks.authorityEnd >= marks.queryStart) return;
  const std::size_t separator = base.find_last_of("/\\", marks.queryStart);
  if (separator == kNone) return;
  base.erase(separator + 1, marks.queryStart - separator - 1);
}

// Cuts the base to what the reference builds on: scheme and authority for an
// absolute path, the folder otherwise.
void FitBaseToReference(std::string& base, std::string& reference) {
  const BaseMarks marks = MarksOf(base);
  if (!reference.empty() && IsSeparator(reference[0])) {
    if (marks.authorityEnd != kNone && IsSeparator(base[marks.authorityEnd])) {
      base.resize(marks.authorityEnd);
    }
    if (!base.empty()) reference.erase(0, 1);
    return;
  }
  if (marks.authorityEnd == kNone || marks.authorityEnd > marks.lastSeparator) return;
  if (!reference.empty()) {
    base.resize(marks.lastSeparator);
  } else if (marks.queryStart == kNone) {
    base.resize(marks.lastSeparator + 1);
  }
}

// What each byte may be in an address that IsCanonicalUrl accepts. The path
// byte "." is left out of kPathByte: it is looked at on its own.
enum CanonicalByte : unsigned char { kSchemeByte = 1, kHostByte = 2, kPathByte = 4 };

constexpr std::array<unsigned char, 256> BuildCanonicalBytes() {
  std::array<unsigned char, 256> classes{};
  const std::array<bool, 256> escaped = BuildUrlEscapeSet();
  for (int byte = 1; byte < 256; ++byte) classes[byte] = escaped[byte] ? 0 : kPathByte;
  for (int byte = 'a'; byte <= 'z'; ++byte) classes[byte] |= kSchemeByte | kHostByte;
  for (int byte = '0'; byte <= '9'; ++byte) classes[byte] |= kHostByte;
  for (int byte : {'.', '-', ':'}) classes[byte] |= kHostByte;
  classes['.'] &= ~kPathByte;
  return classes;
}

constexpr std::array<unsigned char, 256> kCanonicalBytes = BuildCanonicalBytes();

// The index of the first byte from `start` on that is not of the class.
std::size_t SkipBytes(std::string_view text, std::size_t start, CanonicalByte byteClass) {
  while (start < text.size() && (kCanonicalBytes[Code(text[start])] & byteClass) != 0) ++start;
  return start;
}

// Whether the bytes of a canonical address's path from `start` on (the path
// begins with "/" before or at `start`) keep it canonical.
bool IsCanonicalPathFrom(std::string_view text, std::size_t start) {
  // A "." after the path's first byte has a byte before it.
  for (std::size_t i = SkipBytes(text, start, kPathByte); i < text.size();
       i = SkipBytes(text, i + 1, kPathByte)) {
    if (text[i] != '.' || (text[i - 1] == '/' && text.substr(i, 3) == "../")) return false;
  }
  return true;
}

// Whether normalising would leave the text as it is, for the addresses the file
// list writer produces: "scheme://host/path", scheme and host in lower case, no
// byte that would be escaped or cut off, no "/../" step. Other texts give false
// even when they are canonical.
bool IsCanonicalUrl(std::string_view text) {
  const std::size_t schemeEnd = SkipBytes(text, 0, kSchemeByte);
  if (schemeEnd < 3 || schemeEnd > 6 || text.substr(schemeEnd, 3) != "://" ||
      text.substr(0, schemeEnd) == "file") {
    return false;
  }
  const std::size_t hostStart = schemeEnd + 3;
  const std::size_t pathStart = SkipBytes(text, hostStart, kHostByte);
  if (pathStart == hostStart || pathStart == text.size() || text[pathStart] != '/' ||
      text.substr(hostStart, pathStart - hostStart) == "..") {
    return false;
  }
  return IsCanonicalPathFrom(text, pathStart);
}

// Where a relative path joins the base: the base up to its last separator, when
// the base is canonical and has no query; empty otherwise.
std::string_view JoinStart(std::string_view base) {
  if (!IsCanonicalUrl(base) || QueryStart(base) != kNone) return {};
  return base.substr(0, LastSeparator(base) + 1);
}

// A relative path after the start where it joins a base; none when there is no
// such start or the result would not be canonical.
std::optional<std::string> JoinCanonically(std::string_view joinStart, std::string_view reference) {
  if (joinStart.empty() || reference.empty() || IsSeparator(reference[0]) || IsUrl(reference)) {
    return std::nullopt;
  }
  std::string joined(joinStart);
  joined += reference;
  if (!IsCanonicalPathFrom(joined, joinStart.size())) return std::nullopt;
  return joined;
}

}  // namespace

const std::array<unsigned char, 256> LowerCaseMap = BuildLowerCaseMap();
const std::array<bool, 256> UrlEscapeSet = BuildUrlEscapeSet();

std::string TrimBlanks(std::string_view text) { return std::string(TrimmedView(text)); }

bool IsUrl(std::string_view text) {
  const std::size_t mark = FindSchemeMark(text);
  return mark != kNone && mark >= 3 && mark <= 6 && !BeginsWithFileScheme(text);
}

std::string NormalizeUrl(std::string text) {
  CutAtZeroByte(text);
  if (IsDrivePath(text)) text.insert(0, "file://");
  TrimInPlace(text);
  if (!text.empty() && (text[0] == '\\' || text[0] == '.')) text[0] = '/';
  const bool rootAdded = AddRootToAuthorityOnlyForm(text);
  const bool url = IsUrl(text);
  if (url && !rootAdded) AddMissingRootPath(text, SchemeEnd(text));
  text = ByteWalk(url, HasUserInformation(text)).Run(text);
  if (url) {
    FoldParentSteps(text);
    PutRootBeforeQuery(text);
  }
  return text;
}

// The common cases go without the general steps: a canonical address, the way
// the file list writer leaves every address, and a relative path against a
// canonical base.
std::string ResolveUrl(std::string_view baseText, std::string_view referenceText) {
  // A canonical text holds no zero byte and no blank at its ends: cleaning keeps it whole.
  if (IsCanonicalUrl(referenceText)) return std::string(referenceText);
  const std::string_view cleanReference = Cleaned(referenceText);
  const std::string_view cleanBase = Cleaned(baseText);
  if (std::optional<std::string> joined = JoinCanonically(JoinStart(cleanBase), cleanReference)) {
    return std::move(*joined);
  }
  std::string base(cleanBase);
  std::string reference(cleanReference);
  if (IsSchemeRelative(reference)) {
    if (IsUrl(base)) reference.insert(0, base, 0, FindSchemeMark(base) + 1);
    base.clear();
  }
  if (IsUrl(reference) || (!reference.empty() && !base.empty() && !IsUrl(base))) base.clear();
  if (!reference.empty()) {
    DropBaseQuery(base);
  } else {
    DropScriptBeforeQuery(base);
  }
  FitBaseToReference(base, reference);
  if (base.empty()) return NormalizeUrl(reference);
  if (reference.empty()) return NormalizeUrl(base);
  return NormalizeUrl(base + "/" + reference);
}

UrlResolver::UrlResolver(std::string_view base)
    : base_(base), joinStart_(JoinStart(Cleaned(base_))) {}

std::string UrlResolver::Resolve(std::string_view reference) {
  // Past a known start, only the rest of the path needs a look.
  const bool knownStart = !knownStart_.empty() &&
                          reference.substr(0, knownStart_.size()) == knownStart_;
  if (knownStart ? IsCanonicalPathFrom(reference, knownStart_.size())
                 : IsCanonicalUrl(reference)) {
    if (!knownStart) knownStart_.assign(reference.substr(0, reference.rfind('/') + 1));
    return std::string(reference);
  }
  if (std::optional<std::string> joined = JoinCanonically(joinStart_, reference)) {
    return std::move(*joined);
  }
  return ResolveUrl(base_, reference);
}
