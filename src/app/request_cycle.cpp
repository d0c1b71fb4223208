// The order of one request, and the path helpers that start-up needs.
#include "app/request_cycle.h"

#include <unistd.h>

#include <chrono>

#include "app/actions.h"
#include "app/app_state.h"
#include "app/request_lock.h"
#include "app/utility_state.h"
#include "fileio/stale_replacements.h"
#include "html/render_page.h"

namespace {

// In the program's folder, beside the state file.
const char kLockFileName[] = "tvqconf.lock";
// How long a change waits for the one before it; a lock held longer is held by
// something other than a request.
constexpr std::chrono::seconds kLockWait{10};

const char kBusyMessage[] =
    "Another change is in progress; nothing was changed. Try again in a moment.";
const char kNotRegularMessage[] =
    "The lock file tvqconf.lock is not a regular file; nothing was changed.";

// Loads the state and runs the requested change while holding the lock. Two requests
// that load a file, change it and save it must not interleave, or the later save
// drops the earlier change.
void ChangeFiles(AppState& state) {
  const RequestLock lock(kLockFileName, kLockWait);
  LoadUtilityState(state);
  switch (lock.outcome()) {
    case LockOutcome::kBusy: state.messages.push_back(kBusyMessage); return;
    case LockOutcome::kNotRegular: state.messages.push_back(kNotRegularMessage); return;
    case LockOutcome::kHeld:
    case LockOutcome::kUnavailable: break;
  }
  // Before an action, which may replace files, clear away the new files that
  // killed requests left.
  RemoveStaleReplacements(".");
  PerformAction(state);
}

}  // namespace

int LastSeparatorIndex(const std::string& path, const std::string& separators) {
  const std::string::size_type index = path.find_last_of(separators);
  return index == std::string::npos ? -1 : static_cast<int>(index);
}

std::string FileNameOf(const std::string& path) {
  return path.substr(static_cast<std::size_t>(LastSeparatorIndex(path, "/\\:") + 1));
}

void EnterProgramDirectory(const std::string& invocationPath) {
  const int separator = LastSeparatorIndex(invocationPath, "/\\");
  if (separator < 0) return;
  const std::string directory = invocationPath.substr(0, static_cast<std::size_t>(separator) + 1);
  // A failed change leaves the working directory as it was.
  [[maybe_unused]] const int ignored = chdir(directory.c_str());
}

void RunRequest(AppState& state, const std::string& invocationPath,
                const ReadBody& readBody, PageWriter& page) {
  EnterProgramDirectory(invocationPath);
  state.programName = FileNameOf(invocationPath);
  // Read before the lock is taken, so that a client sending its body slowly keeps no
  // other request waiting.
  ReadRequest(state.env, readBody, state.form, state.messages);
  if (RequestsFileChange(state)) {
    ChangeFiles(state);
  } else {
    // Files are replaced whole, so a page view, which changes nothing, reads complete
    // files without the lock and never waits for a change.
    LoadUtilityState(state);
    PerformAction(state);
  }
  RenderPage(page, state);
}
