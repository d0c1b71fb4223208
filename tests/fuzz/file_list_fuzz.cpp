// Fuzz target: loading a file list; its first line is the configured site root.
// A list saved and loaded again gives the same entries when each of them can be
// written and read back: no zero byte in its path, and an address long enough
// for a URL line and unchanged by resolving it again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/app_state.h"
#include "filelist/file_list.h"
#include "filelist/url.h"
#include "fuzz_support.h"

namespace {

bool SameEntry(const FileListEntry& a, const FileListEntry& b) {
  return a.path == b.path && a.url == b.url && a.kind == b.kind;
}

bool EndsWithSeparator(const std::string& text) {
  return !text.empty() && (text.back() == '/' || text.back() == '\\');
}

bool RoundTrips(const FileListEntry& entry, const std::string& siteRoot) {
  return entry.path.find('\0') == std::string::npos && entry.url.size() >= 2 &&
         ResolveUrl(siteRoot, entry.url) == entry.url;
}

void CheckEntries(const FileList::Entries& entries) {
  Require(std::is_sorted(entries.begin(), entries.end(),
                         [](const FileListEntry& a, const FileListEntry& b) {
                           return a.path < b.path;
                         }),
          "entries are sorted by path");
  for (const FileListEntry& entry : entries) {
    Require(entry.kind >= kKindFile && entry.kind <= kKindTree, "the kind is known");
    if (entry.kind == kKindFile) continue;
    Require(EndsWithSeparator(entry.path), "a folder's path ends with a separator");
    Require(entry.url.size() < 2 || entry.url.back() == '/', "a folder's address ends with \"/\"");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string listName = ScratchFolder() + "/list.txt";
  const std::string copyName = ScratchFolder() + "/copy.txt";
  WriteFile(listName, text);

  AppState state;
  state.configLoaded = true;
  // As a configuration file gives it: read as a line, without carriage returns.
  std::string siteRootLine = text.substr(0, text.find('\n'));
  siteRootLine.erase(std::remove(siteRootLine.begin(), siteRootLine.end(), '\r'), siteRootLine.end());
  state.searchConfig.SITEROOTURL = ResolveUrl("", siteRootLine);
  state.fileList.Load(state, listName);
  CheckEntries(state.fileList.entries());

  Require(state.fileList.Save(state, copyName) == 0, "a loaded list can be saved");
  const FileList::Entries& entries = state.fileList.entries();
  const std::string& siteRoot = state.searchConfig.SITEROOTURL;
  if (!std::all_of(entries.begin(), entries.end(),
                   [&](const FileListEntry& entry) { return RoundTrips(entry, siteRoot); })) {
    return 0;
  }
  FileList copy;
  copy.Load(state, copyName);
  Require(std::equal(entries.begin(), entries.end(), copy.entries().begin(),
                     copy.entries().end(), SameEntry),
          "a saved list loads with the same entries");
  return 0;
}
