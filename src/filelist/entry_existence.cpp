// Existence of the file list's paths: folder listings for long runs, status queries for the rest.
#include "filelist/entry_existence.h"

#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "fileio/line_safety.h"
#include "fileio/listed_entries.h"
#include "fileio/text_file.h"

namespace {

// Runs of at least this many entries in one folder are checked against its listing.
constexpr std::size_t kListedRun = 16;
// A listing is read on only while at least one name in this many is an
// entry's (after a head start), so a large folder is not read whole for a few
// of its files.
constexpr std::size_t kNamesPerMatch = 4;

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

// The parts of `path` when it names an entry directly in `folder` (a folder
// part as SplitPath gives it); none for any other path.
std::optional<PathParts> PartsIn(std::string_view folder, std::string_view path) {
  if (path.size() <= folder.size() || path.compare(0, folder.size(), folder) != 0) return {};
  const std::string_view rest = path.substr(folder.size());
  const std::size_t slash = rest.find('/');
  if (slash == 0 || (slash != std::string_view::npos &&
                     rest.find_first_not_of('/', slash) != std::string_view::npos)) {
    return {};
  }
  return PathParts{folder, rest.substr(0, slash), slash != std::string_view::npos};
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

// One entry of a run of entries in one folder.
struct RunEntry {
  std::string_view name;
  bool folderRequired;
  bool mayBeConfirmed;
};

constexpr std::uint32_t kNone = UINT32_MAX;

// The names of a run that a listing may confirm, each found at the place of
// the first entry that has it (open addressing).
class RunNames {
 public:
  explicit RunNames(const std::vector<RunEntry>& run)
      : run_(run), slots_(TableSize(run.size()), kNone), firstOfName_(run.size(), kNone) {
    for (std::uint32_t place = 0; place < run.size(); ++place) {
      if (!run[place].mayBeConfirmed) continue;
      std::uint32_t& slot = Slot(run[place].name);
      if (slot == kNone) {
        slot = place;
        ++count_;
      }
      firstOfName_[place] = slot;
    }
  }

  // How many different names there are.
  std::size_t count() const { return count_; }
  // The place of the first entry named `name`; kNone for none.
  std::uint32_t Find(std::string_view name) { return Slot(name); }
  // The place of the first entry with the name of the entry at `place`; kNone
  // for an entry that no listing confirms.
  std::uint32_t FirstOfName(std::uint32_t place) const { return firstOfName_[place]; }

 private:
  // A power of two at least twice the count, so that most searches end at once.
  static std::size_t TableSize(std::size_t count) {
    std::size_t size = 2;
    while (size < 2 * count) size *= 2;
    return size;
  }

  std::uint32_t& Slot(std::string_view name) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = static_cast<std::size_t>(NameHash(name) >> 32) & mask;
    while (slots_[slot] != kNone && run_[slots_[slot]].name != name) slot = (slot + 1) & mask;
    return slots_[slot];
  }

  const std::vector<RunEntry>& run_;
  std::vector<std::uint32_t> slots_;
  std::vector<std::uint32_t> firstOfName_;
  std::size_t count_ = 0;
};

bool Confirms(ListedType type, bool folderRequired) {
  return type == ListedType::kFolder || (type == ListedType::kOther && !folderRequired);
}

// Which entries of a run the names of `content` (the browsed folder's, already
// read) or else a reading of `folder`'s listing confirm as entries that a
// status query would find.
std::vector<bool> ListedInFolder(std::string_view folder, const std::vector<RunEntry>& run,
                                 const FolderContent* content) {
  RunNames names(run);
  // What the listing says each name is, at the place of its first entry.
  std::vector<ListedType> types(run.size(), ListedType::kUnsure);
  std::size_t found = 0;
  const auto take = [&](std::string_view name, ListedType type) {
    const std::uint32_t first = names.Find(name);
    if (first == kNone) return;
    types[first] = type;
    ++found;
  };
  if (content != nullptr) {
    if (content->searchable) {
      for (const std::string& name : content->folders) take(name, ListedType::kFolder);
      for (std::size_t file = 0; file < content->files.size(); ++file) {
        take(content->files[file], content->fileTypes[file]);
      }
    }
  } else {
    FolderListing listing{std::string(folder)};
    const bool searchable = listing.Searchable();
    std::string_view name;
    ListedType type;
    for (std::size_t read = 0; searchable && found < names.count() &&
                               read < kNamesPerMatch * (found + kListedRun) &&
                               listing.Next(name, type);
         ++read) {
      take(name, type);
    }
  }
  std::vector<bool> listed(run.size(), false);
  for (std::uint32_t place = 0; place < run.size(); ++place) {
    const std::uint32_t first = names.FirstOfName(place);
    listed[place] = first != kNone && Confirms(types[first], run[place].folderRequired);
  }
  return listed;
}

// Whether the file system reports an entry at `path`, following links.
bool PathExists(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0;
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
  const std::string& firstPath = entries_[index].path;
  const PathParts first = SplitPath(firstPath);
  const std::string_view folder = first.folder;
  std::vector<RunEntry> run{
      {first.name, first.folderRequired, MayBeConfirmed(firstPath, first.name)}};
  for (std::size_t next = index + 1; next < entries_.size(); ++next) {
    const std::string& path = entries_[next].path;
    const std::optional<PathParts> parts = PartsIn(folder, path);
    if (!parts) break;
    run.push_back({parts->name, parts->folderRequired, MayBeConfirmed(path, parts->name)});
  }
  runStart_ = index;
  runEnd_ = index + run.size();
  if (run.size() >= kListedRun) {
    const bool browsed = !browsedFolder_.empty() && folder == browsedFolder_;
    listed_ = ListedInFolder(folder, run, browsed ? &browsed_ : nullptr);
  } else {
    listed_.assign(run.size(), false);
  }
}

bool EntryExistence::Exists(std::size_t index) {
  if (index < runStart_ || index >= runEnd_) StartRun(index);
  const std::string& path = entries_[index].path;
  if (HoldsLineBreakOrZero(path) || IsBelow(path, missingFolder_)) return false;
  if (listed_[index - runStart_]) return true;
  // Equal paths are neighbours in the list: the first one's look serves them all.
  if (index > 0 && afterLookedUp_ == index && path == entries_[index - 1].path) {
    afterLookedUp_ = index + 1;
    return found_;
  }
  found_ = PathExists(path);
  afterLookedUp_ = index + 1;
  if (!found_) missingFolder_ = HighestMissingFolder(path);
  return found_;
}
