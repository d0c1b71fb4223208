// Writing a file through a new file beside it that is renamed over it when complete.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Where the bytes written through a stream end up.
struct FileReplacement {
  // The file that receives the content (symbolic links resolved).
  std::string target;
  // The new file being written beside the target; empty when writing in place.
  std::string temporary;
};

// Opens a stream whose content replaces `path` when FinishReplacement succeeds.
// Only regular files are written. An existing file with several links, or
// whose group a new file could not keep, is written in place instead, so
// every name and every reader it had keeps seeing it. Returns nullptr with
// errno set when the file cannot be written or no new file can be made.
std::FILE* OpenReplacement(const std::string& path, FileReplacement& replacement);

// Flushes, syncs and closes the stream and puts the new file in place, unless
// `writeFailed`; then the new file is removed and the target keeps its content.
// Returns 0, 1 (write, flush or sync failed) or 103 (close or rename failed).
int FinishReplacement(std::FILE* stream, const FileReplacement& replacement, bool writeFailed);

// Closes the stream and removes the new file; the target keeps its content.
void AbandonReplacement(std::FILE* stream, const FileReplacement& replacement);

// Whether `name` (without folder) has the form of a new file made beside a
// target: "." + the target's name + ".tvqnew-" + six letters or digits.
bool IsReplacementName(std::string_view name);
