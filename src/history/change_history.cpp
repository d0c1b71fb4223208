// Keeping previous contents, appending log lines and pruning old versions.
#include "history/change_history.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <unordered_set>

#include "cgi/form_data.h"
#include "fileio/content_id.h"
#include "fileio/regular_file.h"
#include "history/change_display.h"
#include "history/line_diff.h"

namespace {

constexpr mode_t kFolderMode = 0700;
constexpr mode_t kLogMode = 0600;
constexpr long long kBytesPerMegabyte = 1024 * 1024;
// The fields of a log line that hold the ids before and after.
constexpr int kBeforeField = 6;
constexpr int kAfterField = 7;
// Old versions are looked for every this many changes (or every change when the
// history keeps fewer), so a change rarely pays for listing the store.
constexpr long kPruneEvery = 16;

// The whole non-negative number `text` holds, if it holds one.
std::optional<long> WholeNumber(const std::optional<std::string>& text) {
  int number = 0;
  if (!text || ParseWholeInt(*text, number) != 0 || number < 0) return std::nullopt;
  return number;
}

std::string UtcNow() {
  const std::time_t now = std::time(nullptr);
  std::tm parts;
  gmtime_r(&now, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
  return text;
}

}  // namespace

HistoryLimits ReadHistoryLimits(const CgiEnvironment& env) {
  HistoryLimits limits;
  if (const std::optional<long> changes = WholeNumber(env.historyChanges)) limits.changes = *changes;
  if (const std::optional<long> megabytes = WholeNumber(env.historyMegabytes)) {
    limits.bytes = *megabytes * kBytesPerMegabyte;
  }
  return limits;
}

ChangeAuthor AuthorOf(const CgiEnvironment& env, const std::string& action) {
  return {env.remoteUser.value_or("-"), env.remoteAddress.value_or("-"), action};
}

ChangeHistory::ChangeHistory(std::string folder)
    : folder_(std::move(folder)), versions_(folder_ + "/versions") {}

std::string ChangeHistory::LogText() const {
  std::string text;
  return ReadWholeFile(LogPath(), text) ? text : std::string();
}

template <typename Wanted>
std::optional<Change> ChangeHistory::NewestWhere(Wanted wanted) const {
  std::optional<Change> found;
  VisitNewestFirst(LogText(), [&wanted, &found](std::string_view line) {
    Change change;
    if (wanted(line) && ParseChange(line, change)) found = change;
    return !found;
  });
  return found;
}

ChangeHistory::Selection ChangeHistory::Newest(const std::string& file, long from,
                                               std::size_t count) const {
  const std::string field = EscapeLogField(file);
  Selection selection;
  VisitNewestFirst(LogText(), [&](std::string_view line) {
    Change change;
    if ((!file.empty() && LogField(line, 5) != field) || !ParseChange(line, change) ||
        (from > 0 && change.sequence > from)) {
      return true;
    }
    if (selection.changes.size() == count) {
      selection.older = change.sequence;
      return false;
    }
    selection.changes.push_back(change);
    return true;
  });
  return selection;
}

std::optional<Change> ChangeHistory::LastChangeOf(const std::string& file) const {
  const std::string field = EscapeLogField(file);
  return NewestWhere([&field](std::string_view line) { return LogField(line, 5) == field; });
}

std::optional<Change> ChangeHistory::Find(long sequence) const {
  const std::string number = std::to_string(sequence);
  return NewestWhere([&number](std::string_view line) { return LogField(line, 0) == number; });
}

std::map<long, std::pair<long, long>> ChangeHistory::RecordedSizes(long oldest) const {
  std::map<long, std::pair<long, long>> sizes;
  std::string text;
  if (!ReadWholeFile(SizesPath(), text)) return sizes;
  VisitNewestFirst(text, [&sizes, oldest](std::string_view line) {
    int sequence = 0;
    int added = 0;
    int removed = 0;
    if (ParseWholeInt(std::string(LogField(line, 0)), sequence) != 0) return true;
    if (ParseWholeInt(std::string(LogField(line, 1)), added) == 0 &&
        ParseWholeInt(std::string(LogField(line, 2)), removed) == 0) {
      sizes.emplace(sequence, std::make_pair(added, removed));
    }
    return sequence > oldest;
  });
  return sizes;
}

bool ChangeHistory::ReadVersion(const std::string& id, std::string& content) const {
  return versions_.Read(id, content);
}

bool ChangeHistory::KeepsVersion(const std::string& id) const {
  return id != kNoContent && versions_.Has(id);
}

ChangeRecorder::ChangeRecorder(ChangeAuthor author, HistoryLimits limits, std::string folder)
    : ChangeHistory(std::move(folder)), author_(std::move(author)), limits_(limits) {}

bool ChangeRecorder::KeepPrevious(const std::string&, const std::string& target, bool linkable) {
  if (!ReadContentId(target, before_)) return false;
  if (mkdir(folder_.c_str(), kFolderMode) != 0 && errno != EEXIST) return false;
  if (!versions_.Prepare()) return false;
  if (before_ == kNoContent || versions_.Has(before_)) return true;
  return versions_.Stage(target, before_, linkable);
}

void ChangeRecorder::Replaced(const std::string& name, const std::string& afterId) {
  // The log names the version before only once it is durably kept; a version
  // that could not be committed shows as no longer kept.
  versions_.Commit();
  Change change{LastSequence(LogPath()) + 1, UtcNow(), author_.user, author_.address,
                author_.action, name, before_, afterId};
  if (!AppendLine(LogPath(), FormatChange(change))) return;
  RecordSize(change);
  if (change.sequence % std::min(kPruneEvery, limits_.changes) == 0) Prune();
}

void ChangeRecorder::Abandoned() { versions_.Discard(); }

bool ChangeRecorder::AppendLine(const std::string& path, const std::string& line) {
  const int descriptor = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, kLogMode);
  if (descriptor < 0) return false;
  const std::string text = line + "\n";
  const bool written = write(descriptor, text.data(), text.size()) ==
                       static_cast<ssize_t>(text.size());
  close(descriptor);
  return written;
}

void ChangeRecorder::RecordSize(const Change& change) const {
  ChangeTexts texts;
  if (!ReadChangeTexts(*this, change, texts)) return;
  const LineDiff diff = DiffLines(texts.before, texts.after);
  AppendLine(SizesPath(), std::to_string(change.sequence) + "\t" + std::to_string(diff.added) +
                              "\t" + std::to_string(diff.removed));
}

void ChangeRecorder::Prune() const {
  std::unordered_set<std::string> kept;
  long long bytes = 0;
  long counted = 0;
  VisitNewestFirst(LogText(), [&](std::string_view line) {
    for (const int field : {kBeforeField, kAfterField}) {
      const std::string id(LogField(line, field));
      if (kept.count(id) != 0 || !versions_.Has(id)) continue;
      bytes += versions_.SizeOf(id);
      if (bytes > limits_.bytes) return false;
      kept.insert(id);
    }
    return ++counted < limits_.changes;
  });
  versions_.RemoveAllBut(kept);
}
