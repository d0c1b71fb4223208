// Reads and writes the file list file: key line and URL line pairs under a header.
#include "filelist/file_list.h"

#include <cerrno>
#include <optional>
#include <string_view>

#include "app/app_state.h"
#include "fileio/text_file.h"
#include "fileio/line_safety.h"
#include "filelist/url.h"

namespace {

struct Keyword {
  std::string_view text;
  int kind;
};

const Keyword kKeywords[] = {
    {"FILE=", kKindFile}, {"DIR=", kKindDir}, {"TREE=", kKindTree}};
constexpr std::string_view kUrlKeyword = "URL=";
// Key and URL lines shorter than this never form a pair.
constexpr std::size_t kMinimumPairLineLength = 6;
// A guess at the bytes a pair of lines and the empty line after it take in a
// list: room for as many entries as the file would hold of them is made at
// once; a list of shorter pairs grows past it.
constexpr std::size_t kGuessedPairSize = 64;

const char* const kSyntaxBox[] = {
    "    *********************************************************",
    "    *\t\t\t    S Y N T A X \t\t   *",
    "    *\t\t\t\t\t\t\t   *",
    "    * File list consists of a sequence of the paired lines: *",
    "    *\t\t\t\t\t\t\t   *",
    "    * FILE=<file to be searched by Tovimarq>\t\t   *",
    "    * URL=<virtual address of the file>\t\t\t   *",
    "    *\t\t\t\t\t\t\t   *",
    "    *\t\t OR\t\t\t\t\t   *",
    "    *\t\t\t\t\t\t\t   *",
    "    * DIR=<folder to be searched by Tovimarq>\t\t   *",
    "    * URL=<virtual address of the folder>\t\t   *",
    "    *\t\t\t\t\t\t\t   *",
    "    *\t\t OR\t\t\t\t\t   *",
    "    *\t\t\t\t\t\t\t   *",
    "    * TREE=<folder to be searched by Tovimarq>\t\t   *",
    "    * URL=<virtual address of the folder>\t\t   *",
    "    *\t\t\t\t\t\t\t   *",
    "    *********************************************************",
};

// The code Save returns for a file name that must not reach the file system,
// the same an open refused by the system would give.
constexpr int kRefusedNameError = 100 + EINVAL;

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Whether `line` begins with `keyword`, letters compared without regard to case.
bool BeginsWithKeyword(const std::string& line, std::string_view keyword) {
  if (line.size() < keyword.size()) return false;
  for (std::size_t i = 0; i < keyword.size(); ++i) {
    if (UpperAscii(line[i]) != keyword[i]) return false;
  }
  return true;
}

std::optional<int> KeyLineKind(const std::string& line) {
  if (line.size() < kMinimumPairLineLength) return std::nullopt;
  for (const Keyword& keyword : kKeywords) {
    if (BeginsWithKeyword(line, keyword.text)) return keyword.kind;
  }
  return std::nullopt;
}

bool IsUrlLine(const std::string& line) {
  return line.size() >= kMinimumPairLineLength && BeginsWithKeyword(line, kUrlKeyword);
}

std::string_view KeywordOf(int kind) {
  for (const Keyword& keyword : kKeywords) {
    if (keyword.kind == kind) return keyword.text;
  }
  return kKeywords[0].text;
}

bool EndsWithSeparator(const std::string& text) {
  return !text.empty() && (text.back() == '/' || text.back() == '\\');
}

FileListEntry MakeEntry(const std::string& keyLine, int kind, const std::string& urlLine,
                        UrlResolver& resolver) {
  FileListEntry entry;
  entry.kind = kind;
  // The keyword ends with the line's first "=".
  entry.path = keyLine.substr(KeywordOf(kind).size());
  entry.url = resolver.Resolve(std::string_view(urlLine).substr(kUrlKeyword.size()));
  if (kind != kKindFile) {
    if (!entry.path.empty() && !EndsWithSeparator(entry.path)) entry.path += '/';
    if (entry.url.size() >= 2 && entry.url.back() != '/') entry.url += '/';
  }
  return entry;
}

// Appends one entry for every key line directly followed by a URL line; every
// other line is skipped. A key line without its URL line is dropped and the
// line after it is looked at as a key line of its own.
void ReadPairs(TextFile& file, const std::string& siteRoot, FileList::Entries& entries) {
  UrlResolver resolver(siteRoot);
  // Room for the entries at once spares moving them all each time the list grows.
  entries.reserve(static_cast<std::size_t>(file.Size()) / kGuessedPairSize);
  std::string current;
  std::string candidate;
  for (;;) {
    const std::optional<int> kind = KeyLineKind(current);
    if (!kind) {
      if (file.AtEnd()) return;
      file.ReadLine(current);
      continue;
    }
    file.ReadLine(candidate);
    if (!IsUrlLine(candidate)) {
      current.swap(candidate);
      continue;
    }
    entries.push_back(MakeEntry(current, *kind, candidate, resolver));
    current.clear();
  }
}

void WriteHeader(TextFile& file, const std::string& siteRoot) {
  file.WriteLine("      " + siteRoot + " - file list");
  file.WriteLine("");
  for (const char* line : kSyntaxBox) file.WriteLine(line);
  file.WriteLine("");
}

// `line` is room for the lines, kept from entry to entry so that its memory is reused.
void WriteEntry(TextFile& file, const FileListEntry& entry, UrlResolver& resolver,
                std::string& line) {
  // A line break would split the pair and corrupt every entry after it; a
  // zero byte would cut the name or address short and name another one.
  if (HoldsLineBreakOrZero(entry.path) || HoldsLineBreakOrZero(entry.url)) return;
  const std::string url = resolver.Resolve(entry.url);
  if (HoldsLineBreak(url)) return;
  file.WriteLine(line.assign(KeywordOf(entry.kind)).append(entry.path));
  file.WriteLine(line.assign(kUrlKeyword).append(url));
  file.WriteLine("");
}

}  // namespace

void FileList::Load(const AppState& state, const std::string& fileName) {
  entries_.clear();
  version_ = kNoContent;
  if (HoldsLineBreakOrZero(fileName)) return;
  TextFile file;
  file.SetPath(fileName);
  file.OpenRead();
  if (TakeFileError() != 0) return;
  ReadPairs(file, state.searchConfig.SITEROOTURL, entries_);
  version_ = file.ContentId();
  file.Close();
  TakeFileError();
  SortByPath();
}

int FileList::Save(AppState& state, const std::string& fileName) const {
  LoadSearchConfig(state, state.currentConfig);
  if (HoldsLineBreakOrZero(fileName)) {
    lastFileErrno = EINVAL;
    return kRefusedNameError;
  }
  const std::string& siteRoot = state.searchConfig.SITEROOTURL;
  return ReplaceFile(fileName, [this, &siteRoot](TextFile& file) {
    WriteHeader(file, siteRoot);
    UrlResolver resolver(siteRoot);
    std::string line;
    for (const FileListEntry& entry : entries_) WriteEntry(file, entry, resolver, line);
  });
}
