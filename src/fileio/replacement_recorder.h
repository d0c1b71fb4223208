// The seam through which every file replaced by TextFile can be kept and recorded.
#pragma once

#include <string>

// Keeps the content a file is about to lose and records each replacement. The
// request that runs an action installs one; without one, files are replaced
// unrecorded.
class ReplacementRecorder {
 public:
  virtual ~ReplacementRecorder() = default;
  // The new content of `name` (which reaches the file `target`) is complete on
  // disk. Keeps what `target` holds now; `linkable` says that the replacement
  // renames, so the old file leaves its name and may be kept by a link. False,
  // with errno set, when it cannot be kept: the file is then left as it is.
  virtual bool KeepPrevious(const std::string& name, const std::string& target,
                            bool linkable) = 0;
  // The content with id `afterId` has taken the place of the old one.
  virtual void Replaced(const std::string& name, const std::string& afterId) = 0;
  // The replacement failed after KeepPrevious: the file kept its content.
  virtual void Abandoned() = 0;
};

// The recorder of the running request, or nullptr.
ReplacementRecorder* CurrentReplacementRecorder();
// Installs `recorder` (nullptr: none) for the writes that follow.
void SetReplacementRecorder(ReplacementRecorder* recorder);
