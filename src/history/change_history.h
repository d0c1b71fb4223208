// The change history: every replaced file's previous content kept, every change logged.
#pragma once

#include <optional>
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

  // Every change, oldest first.
  std::vector<Change> Changes() const;
  // The newest change of `file`, if any.
  std::optional<Change> LastChangeOf(const std::string& file) const;
  // The change numbered `sequence`, if any.
  std::optional<Change> Find(long sequence) const;
  // The content of version `id`; false when it is no longer kept.
  bool ReadVersion(const std::string& id, std::string& content) const;
  bool KeepsVersion(const std::string& id) const;

 protected:
  std::string LogPath() const { return folder_ + "/log"; }

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
  bool Append(const Change& change) const;
  // Removes the versions that the newest changes within the limits do not need.
  void Prune() const;

  ChangeAuthor author_;
  HistoryLimits limits_;
  // The id of the content being replaced, between KeepPrevious and Replaced.
  std::string before_;
};
