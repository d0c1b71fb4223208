// Keeping previous contents, appending log lines and pruning old versions.
#include "history/change_history.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <unordered_set>

#include "cgi/form_data.h"
#include "fileio/content_id.h"

namespace {

constexpr mode_t kFolderMode = 0700;
constexpr mode_t kLogMode = 0600;
constexpr long long kBytesPerMegabyte = 1024 * 1024;

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

std::vector<Change> ChangeHistory::Changes() const { return ReadChanges(LogPath()); }

std::optional<Change> ChangeHistory::LastChangeOf(const std::string& file) const {
  const std::vector<Change> changes = Changes();
  for (auto change = changes.rbegin(); change != changes.rend(); ++change) {
    if (change->file == file) return *change;
  }
  return std::nullopt;
}

std::optional<Change> ChangeHistory::Find(long sequence) const {
  for (const Change& change : Changes()) {
    if (change.sequence == sequence) return change;
  }
  return std::nullopt;
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
  if (Append(change)) Prune();
}

void ChangeRecorder::Abandoned() { versions_.Discard(); }

bool ChangeRecorder::Append(const Change& change) const {
  const int descriptor =
      open(LogPath().c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, kLogMode);
  if (descriptor < 0) return false;
  const std::string line = FormatChange(change) + "\n";
  const bool written = write(descriptor, line.data(), line.size()) ==
                       static_cast<ssize_t>(line.size());
  close(descriptor);
  return written;
}

void ChangeRecorder::Prune() const {
  const std::vector<Change> changes = Changes();
  std::unordered_set<std::string> kept;
  long long bytes = 0;
  long counted = 0;
  for (auto change = changes.rbegin(); change != changes.rend() && counted < limits_.changes;
       ++change, ++counted) {
    for (const std::string* id : {&change->before, &change->after}) {
      if (kept.count(*id) != 0 || !versions_.Has(*id)) continue;
      bytes += versions_.SizeOf(*id);
      if (bytes > limits_.bytes) {
        versions_.RemoveAllBut(kept);
        return;
      }
      kept.insert(*id);
    }
  }
  versions_.RemoveAllBut(kept);
}
