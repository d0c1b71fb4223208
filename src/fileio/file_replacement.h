// Writing a file through a new file beside it that takes the file's place when complete.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Where the bytes written through a stream end up.
struct FileReplacement {
  // The name the file was opened by, and the file that receives the content
  // (symbolic links resolved).
  std::string name;
  std::string target;
  // The new file being written beside the target.
  std::string temporary;
  // The target, open for writing, when the new content is copied into it
  // instead of renamed over it; -1 otherwise.
  int inPlace = -1;
};

// Error codes of FinishReplacement besides 0.
inline constexpr int kReplacementWriteError = 1;
inline constexpr int kReplacementCloseError = 103;
// The recorder could not keep the previous content; the file is unchanged.
inline constexpr int kReplacementNotKeptError = 104;

// Opens a stream on a new file beside `path` whose content replaces the file
// when FinishReplacement succeeds. Only regular files are written. An existing
// file with several links, or whose group a new file could not keep, is
// overwritten in place at the end instead (so every name and reader it had keeps
// seeing it), still from the complete new file. Returns nullptr with errno set
// when the file cannot be written or no new file can be made.
std::FILE* OpenReplacement(const std::string& path, FileReplacement& replacement);

// Flushes, syncs and closes the stream, has the installed recorder keep the old
// content, and puts the new content in place, unless `writeFailed`. Whatever
// fails, the target ends with its old content or the new one, never a mix, and
// the new file is removed. Returns 0 or an error code above, with errno set.
int FinishReplacement(std::FILE* stream, FileReplacement& replacement, bool writeFailed,
                      const std::string& afterId);

// Closes the stream and removes the new file; the target keeps its content.
void AbandonReplacement(std::FILE* stream, FileReplacement& replacement);

// Whether `name` (without folder) has the form of a new file made beside a
// target: "." + the target's name + ".tvqnew-" + six letters or digits.
bool IsReplacementName(std::string_view name);
