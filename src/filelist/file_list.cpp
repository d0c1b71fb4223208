// The sorted collection of file list entries.
#include "filelist/file_list.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <unordered_set>

namespace {

// std::string compares its bytes as unsigned characters.
bool PathLess(const FileListEntry& a, const FileListEntry& b) { return a.path < b.path; }

struct PathOrder {
  bool operator()(const FileListEntry& entry, const std::string& path) const {
    return entry.path < path;
  }
  bool operator()(const std::string& path, const FileListEntry& entry) const {
    return path < entry.path;
  }
};

// How many bytes every path begins with.
std::size_t SharedPrefixSize(const FileList::Entries& entries) {
  std::string_view shared = entries.empty() ? std::string_view() : entries.front().path;
  for (const FileListEntry& entry : entries) {
    const std::string_view path = entry.path;
    if (path.substr(0, shared.size()) == shared) continue;
    const std::size_t common = static_cast<std::size_t>(
        std::mismatch(shared.begin(), shared.end(), path.begin(), path.end()).first -
        shared.begin());
    shared = shared.substr(0, common);
  }
  return shared.size();
}

// Sorting compares paths by their first 16 bytes after the prefix that all
// share, held as two numbers, so that most comparisons are of numbers; equal
// keys compare the whole paths, then their places, which keeps entries with
// equal paths in file order.
struct SortKey {
  std::uint64_t high;
  std::uint64_t low;
  std::uint32_t place;
};

// The 8 bytes from `at` on (zeros past the end) as a number that orders as they do.
std::uint64_t BigEndianAt(std::string_view text, std::size_t at) {
  unsigned char bytes[8] = {};
  if (at < text.size()) text.copy(reinterpret_cast<char*>(bytes), sizeof bytes, at);
  std::uint64_t number = 0;
  for (const unsigned char byte : bytes) number = number << 8 | byte;
  return number;
}

}  // namespace

void FileList::Insert(FileListEntry entry) {
  const auto place = std::upper_bound(entries_.begin(), entries_.end(), entry, PathLess);
  entries_.insert(place, std::move(entry));
}

void FileList::InsertAll(Entries entries) {
  // A stable sort of the newcomers and a stable merge behind the existing
  // entries give the order of one insertion after the other.
  std::stable_sort(entries.begin(), entries.end(), PathLess);
  const auto oldSize = static_cast<Entries::difference_type>(entries_.size());
  entries_.insert(entries_.end(), std::make_move_iterator(entries.begin()),
                  std::make_move_iterator(entries.end()));
  std::inplace_merge(entries_.begin(), entries_.begin() + oldSize, entries_.end(),
                     PathLess);
}

void FileList::RemoveRows(const std::vector<int>& rowNumbers) {
  const std::unordered_set<int> removed(rowNumbers.begin(), rowNumbers.end());
  Entries kept;
  for (std::size_t index = 0; index < entries_.size(); ++index) {
    if (removed.count(static_cast<int>(index + 1)) == 0) {
      kept.push_back(std::move(entries_[index]));
    }
  }
  entries_.swap(kept);
}

std::pair<FileList::Entries::const_iterator, FileList::Entries::const_iterator>
FileList::WithPath(const std::string& path) const {
  return std::equal_range(entries_.begin(), entries_.end(), path, PathOrder());
}

// A list the utility wrote is sorted already. Otherwise sort keys are sorted,
// and the entries are then moved along the cycles of that order, so no second
// list is needed.
void FileList::SortByPath() {
  if (std::is_sorted(entries_.begin(), entries_.end(), PathLess)) return;
  const std::size_t shared = SharedPrefixSize(entries_);
  std::vector<SortKey> keys;
  keys.reserve(entries_.size());
  for (std::uint32_t place = 0; place < entries_.size(); ++place) {
    const std::string_view path = entries_[place].path;
    keys.push_back({BigEndianAt(path, shared), BigEndianAt(path, shared + 8), place});
  }
  std::sort(keys.begin(), keys.end(), [this, shared](const SortKey& a, const SortKey& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    const int order = std::string_view(entries_[a.place].path)
                          .substr(shared)
                          .compare(std::string_view(entries_[b.place].path).substr(shared));
    return order != 0 ? order < 0 : a.place < b.place;
  });
  // keys[i].place is the place the entry for place i comes from; a done place gets its own.
  for (std::uint32_t start = 0; start < keys.size(); ++start) {
    if (keys[start].place == start) continue;
    FileListEntry first = std::move(entries_[start]);
    std::uint32_t place = start;
    while (keys[place].place != start) {
      const std::uint32_t from = keys[place].place;
      entries_[place] = std::move(entries_[from]);
      keys[place].place = place;
      place = from;
    }
    entries_[place] = std::move(first);
    keys[place].place = place;
  }
}
