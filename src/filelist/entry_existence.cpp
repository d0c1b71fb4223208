// Existence of the file list's paths: folder listings for long runs, status queries for the rest.
#include "filelist/entry_existence.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "fileio/line_safety.h"
#include "fileio/listed_entries.h"
#include "fileio/text_file.h"

namespace {

// Runs of at least this many entries in one folder are checked against its listing.
constexpr std::size_t kListedRun = 16;
// A listing is read no further than this many names per entry of the run, so a
// large folder is not read whole for a few of its files.
constexpr std::size_t kNamesPerEntry = 4;

// A path split at its last "/": the folder part keeps that "/" ("" when there
// is none); trailing slashes are not part of the name and require a folder.
struct PathParts {
  std::string_view folder;
  std::string_view name;
  bool folderRequired;
};

PathParts SplitPath(std::string_view path) {
  std::size_t end = path.size();
  while (end > 0 && path[end - 1] == '/') --end;
  std::size_t nameStart = end;
  while (nameStart > 0 && path[nameStart - 1] != '/') --nameStart;
  return {path.substr(0, nameStart), path.substr(nameStart, end - nameStart), end < path.size()};
}

// Whether a status query of the path would surely find what the listing says:
// not for "." and "..", and not for a path too long to query.
bool MayBeConfirmed(std::string_view path, std::string_view name) {
  return !name.empty() && name != "." && name != ".." && path.size() < PATH_MAX;
}

// Eight bytes at a time, each step's high bits folded down into the next.
std::uint64_t NameHash(std::string_view name) {
  constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;
  std::uint64_t hash = name.size();
  for (std::size_t at = 0; at < name.size(); at += sizeof(std::uint64_t)) {
    std::uint64_t word = 0;
    std::memcpy(&word, name.data() + at, std::min(name.size() - at, sizeof word));
    hash = (hash ^ word) * kMultiplier;
    hash ^= hash >> 29;
  }
  return hash * kMultiplier;
}

// One entry of a run: its name is the part of its path after the run's folder.
struct RunEntry {
  std::uint32_t nameSize;
  bool folderRequired;
};

// The names of a run's entries: open addressing over their places in the run,
// entries with equal names chained.
class RunNames {
 public:
  static constexpr std::uint32_t kNone = UINT32_MAX;

  RunNames(const FileList::Entries& entries, std::size_t first, std::size_t folderSize,
           const std::vector<RunEntry>& run)
      : entries_(entries), first_(first), folderSize_(folderSize), run_(run),
        shift_(TableShift(run.size())), slots_(std::size_t{1} << (64 - shift_), kNone),
        sameName_(run.size(), kNone) {}

  std::string_view Name(std::uint32_t place) const {
    return std::string_view(entries_[first_ + place].path).substr(folderSize_, run_[place].nameSize);
  }

  // Adds the entry at `place`; returns whether its name is new.
  bool Add(std::uint32_t place) {
    std::uint32_t& slot = SlotOf(Name(place));
    const bool added = slot == kNone;
    sameName_[place] = slot;
    slot = place;
    return added;
  }

  // The places of the entries with this name, chained through Next; kNone for none.
  std::uint32_t First(std::string_view name) { return SlotOf(name); }
  std::uint32_t Next(std::uint32_t place) const { return sameName_[place]; }

 private:
  // 64 less the bits of a table at least twice as large as the run.
  static unsigned TableShift(std::size_t count) {
    unsigned bits = 1;
    while ((std::size_t{1} << bits) < 2 * count) ++bits;
    return 64 - bits;
  }

  std::uint32_t& SlotOf(std::string_view name) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = static_cast<std::size_t>(NameHash(name) >> shift_);
    while (slots_[slot] != kNone && Name(slots_[slot]) != name) slot = (slot + 1) & mask;
    return slots_[slot];
  }

  const FileList::Entries& entries_;
  const std::size_t first_;
  const std::size_t folderSize_;
  const std::vector<RunEntry>& run_;
  const unsigned shift_;
  std::vector<std::uint32_t> slots_;
  std::vector<std::uint32_t> sameName_;
};

// Which entries of a run in `folder`, from `first` on, the folder lists as
// entries that a status query would find.
std::vector<bool> ListedInFolder(const FileList::Entries& entries, std::size_t first,
                                 std::string_view folder, const std::vector<RunEntry>& run) {
  RunNames names(entries, first, folder.size(), run);
  std::size_t unseen = 0;
  for (std::uint32_t place = 0; place < run.size(); ++place) {
    if (MayBeConfirmed(entries[first + place].path, names.Name(place)) && names.Add(place)) {
      ++unseen;
    }
  }
  std::vector<bool> listed(run.size(), false);
  std::size_t budget = kNamesPerEntry * run.size();
  VisitListedEntries(std::string(folder), [&](std::string_view name, ListedType type) {
    std::uint32_t place = names.First(name);
    if (place != RunNames::kNone) --unseen;
    for (; place != RunNames::kNone; place = names.Next(place)) {
      listed[place] = type == ListedType::kFolder ||
                      (type == ListedType::kOther && !run[place].folderRequired);
    }
    return unseen > 0 && --budget > 0;
  });
  return listed;
}

// The folder that holds `path` (a trailing "/" ignored); empty for a name
// without a folder and for a name directly below the root.
std::string ParentFolder(const std::string& path) {
  const std::size_t end = path.find_last_not_of('/');
  const std::size_t slash = end == std::string::npos ? end : path.rfind('/', end);
  return slash == std::string::npos || slash == 0 ? std::string() : path.substr(0, slash);
}

bool IsBelow(const std::string& path, const std::string& folder) {
  return !folder.empty() && path.size() > folder.size() && path[folder.size()] == '/' &&
         path.compare(0, folder.size(), folder) == 0;
}

// The highest folder above `path` that cannot be entered, or empty when the
// folder holding it can.
std::string HighestMissingFolder(const std::string& path) {
  std::string missing;
  for (std::string folder = ParentFolder(path); !folder.empty() && !IsDirectory(folder);
       folder = ParentFolder(folder)) {
    missing = folder;
  }
  return missing;
}

}  // namespace

void EntryExistence::StartRun(std::size_t index) {
  const PathParts firstParts = SplitPath(entries_[index].path);
  std::vector<RunEntry> run{{static_cast<std::uint32_t>(firstParts.name.size()),
                             firstParts.folderRequired}};
  for (std::size_t next = index + 1; next < entries_.size(); ++next) {
    const PathParts parts = SplitPath(entries_[next].path);
    if (parts.folder != firstParts.folder) break;
    run.push_back({static_cast<std::uint32_t>(parts.name.size()), parts.folderRequired});
  }
  runStart_ = index;
  runEnd_ = index + run.size();
  if (run.size() >= kListedRun) {
    listed_ = ListedInFolder(entries_, index, firstParts.folder, run);
  } else {
    listed_.assign(run.size(), false);
  }
}

bool EntryExistence::Exists(std::size_t index) {
  if (index < runStart_ || index >= runEnd_) StartRun(index);
  const FileListEntry& entry = entries_[index];
  const std::string& path = entry.path;
  if (HoldsLineBreakOrZero(path) || IsBelow(path, missingFolder_)) return false;
  if (listed_[index - runStart_]) return true;
  // Asking first for what the entry should be costs one look when it is there.
  const bool found = entry.kind == kKindFile ? IsFile(path) || IsDirectory(path)
                                             : IsDirectory(path) || IsFile(path);
  if (!found) missingFolder_ = HighestMissingFolder(path);
  return found;
}
