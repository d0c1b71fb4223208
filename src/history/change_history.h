// The change history: every replaced file's previous content kept, every change logged.
#pragma once

#include <map>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "app/cgi_environment.h"
#include "fileio/replacement_recorder.h"
#include "history/change_log.h"
#include "history/version_store.h"

// The history's folder, in the program's folder beside the state file.
inline constexpr char kHistoryFolder[] = "tvqconf.history";

// How much the history keeps: the versions of the newest `changes` changes, as
// long as they take at most `bytes`. Older versions are removed; their changes
// stay in the log. No changes: nothing is recorded.
struct HistoryLimits {
  long changes = 1000;
  long long bytes = 64LL * 1024 * 1024;
};

// The defaults, or the whole numbers TVQ_HISTORY_CHANGES and TVQ_HISTORY_MB give.
HistoryLimits ReadHistoryLimits(const CgiEnvironment& env);

// Who asks for the changes of a request, and by which action.
struct ChangeAuthor {
  std::string user;
  std::string address;
  std::string action;
};

ChangeAuthor AuthorOf(const CgiEnvironment& env, const std::string& action);

// The history in `folder`, read by the pages.
class ChangeHistory {
 public:
  explicit ChangeHistory(std::string folder = kHistoryFolder);

  // Up to `count` changes, newest first: only those of `file` unless it is
  // empty, none newer than change `from` unless it is 0; `older` is the number
  // of the next older one (0: none).
  struct Selection {
    std::vector<Change> changes;
    long older = 0;
  };
  Selection Newest(const std::string& file, long from, std::size_t count) const;
  // The newest change of `file`, if any.
  std::optional<Change> LastChangeOf(const std::string& file) const;
  // The change numbered `sequence`, if any.
  std::optional<Change> Find(long sequence) const;
  // The content of version `id`; false when it is no longer kept.
  bool ReadVersion(const std::string& id, std::string& content) const;
  // The lines added and removed by each change from number `oldest` on, as
  // recorded when it was made; a change missing here (its recording failed) is
  // measured from its versions.
  std::map<long, std::pair<long, long>> RecordedSizes(long oldest) const;
  bool KeepsVersion(const std::string& id) const;

 protected:
  std::string LogPath() const { return folder_ + "/log"; }
  // One line per change: its number, the lines it added and removed, TAB-separated.
  std::string SizesPath() const { return folder_ + "/sizes"; }
  // The log's whole text; empty when there is none.
  std::string LogText() const;
  // The newest change whose line satisfies `wanted`, parsed.
  template <typename Wanted>
  std::optional<Change> NewestWhere(Wanted wanted) const;

  std::string folder_;
  VersionStore versions_;
};

// Records the changes of one request: installed as the recorder while its action runs.
class ChangeRecorder : public ChangeHistory, public ReplacementRecorder {
 public:
  ChangeRecorder(ChangeAuthor author, HistoryLimits limits, std::string folder = kHistoryFolder);

  bool KeepPrevious(const std::string& name, const std::string& target, bool linkable) override;
  void Replaced(const std::string& name, const std::string& afterId) override;
  void Abandoned() override;

 private:
  // Appends `line` and its LF to the file at `path`, created private.
  static bool AppendLine(const std::string& path, const std::string& line);
  // Records the size of `change` for the history page.
  void RecordSize(const Change& change) const;
  // Removes the versions that the newest changes within the limits do not need.
  void Prune() const;

  ChangeAuthor author_;
  HistoryLimits limits_;
  // The id of the content being replaced, between KeepPrevious and Replaced.
  std::string before_;
};
