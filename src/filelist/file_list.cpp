// The sorted collection of file list entries.
#include "filelist/file_list.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <numeric>
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

// A list the utility wrote is sorted already. Otherwise positions are sorted,
// which move four bytes where an entry would move two strings, and the entries
// are then moved along the cycles of that order, so no second list is needed.
void FileList::SortByPath() {
  if (std::is_sorted(entries_.begin(), entries_.end(), PathLess)) return;
  std::vector<std::uint32_t> order(entries_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [this](std::uint32_t a, std::uint32_t b) {
    return PathLess(entries_[a], entries_[b]);
  });
  // order[i] is the place the entry for place i comes from; a done place gets order[i] = i.
  for (std::uint32_t start = 0; start < order.size(); ++start) {
    if (order[start] == start) continue;
    FileListEntry first = std::move(entries_[start]);
    std::uint32_t place = start;
    while (order[place] != start) {
      const std::uint32_t from = order[place];
      entries_[place] = std::move(entries_[from]);
      order[place] = place;
      place = from;
    }
    entries_[place] = std::move(first);
    order[place] = place;
  }
}
