// The text file object through which every file is read and written, and path tests.
#pragma once

#include <cstddef>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "fileio/content_id.h"
#include "fileio/file_replacement.h"

// Process-wide error code of the last failed file operation (0: none since the
// last TakeFileError): 100 + errno for a failed open, 103 for an operation
// without an open stream or a failed close, 1 for an I/O error.
extern int lastFileError;
// The errno that came with lastFileError, for naming the reason in words.
extern int lastFileErrno;

// ReadLine delivers at most this many bytes of a line; the rest of it is skipped.
inline constexpr std::size_t kMaxLineLength = 65536;

// Returns lastFileError and resets it to 0.
int TakeFileError();

// Whether an entry exists at `path` (following links) and is / is not a directory.
bool IsDirectory(const std::string& path);
bool IsFile(const std::string& path);

class TextFile {
 public:
  TextFile() = default;
  ~TextFile();
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // Closes an open stream (keeping lastFileError as it was) and sets the path.
  void SetPath(const std::string& path);
  // Both opens accept regular files only (after following symbolic links): a
  // folder gives 100 + EISDIR, a device, pipe or socket 100 + ENXIO.
  void OpenRead();
  // Writes go to a new file beside the target; Close puts it in place.
  void OpenWrite();
  // The next line without its LF; every CR is dropped. At most the first
  // 64 KiB of a line are delivered, the rest is skipped. Loop while !AtEnd().
  void ReadLine(std::string& line);
  bool AtEnd();
  void WriteLine(const std::string& text);
  void WriteText(const std::string& text);
  // The file's length in bytes (a file being read: when it was opened); the read
  // position is kept.
  long Size();
  void ReadBytes(char* destination, std::size_t count, std::size_t& delivered);
  void Close();
  // The id of the bytes read or written since the last open: after reading to
  // the end, the id of the file as read; after writing, of the new content.
  std::string ContentId() const { return hasher_.Id(); }

 private:
  // Opens path_ for writing or reading after closing any open stream.
  void Open(bool forWriting);
  // Records 103 and returns false when no stream is open.
  bool HasStream();
  // Moves the buffered bytes up to the next LF into `line`; false when no LF is buffered.
  bool TakeBufferedLine(std::string& line);
  bool Refill();
  void WriteBytes(const char* bytes, std::size_t count);
  void GiveReadBuffer();

  static constexpr std::size_t kLargestReadBuffer = 65536;

  std::FILE* stream_ = nullptr;
  // The buffer of the read stream; it outlives the stream.
  std::unique_ptr<char[]> readBuffer_;
  std::string path_;
  char buffer_[2048];
  // The unread bytes: buffered_ bytes from buffer_[bufferStart_] on.
  std::size_t bufferStart_ = 0;
  int buffered_ = 0;
  // The buffer may hold a CR; lines of a buffer without one are taken whole.
  bool carriageReturns_ = true;
  bool writing_ = false;
  // The length of the file being read, when it was opened.
  long readSize_ = 0;
  // A read failed: reading ends there.
  bool readFailed_ = false;
  // A write failed: Close discards the new file.
  bool writeFailed_ = false;
  FileReplacement replacement_;
  ContentHasher hasher_;
};

// The message for a failed save of `name` whose error code was taken as
// `error` (errno in lastFileErrno): the file was left as it was.
std::string SaveFailureMessage(const std::string& name, int error);

// Replaces the file at `path` with what `write` writes into it. Returns the
// error code of the first step that failed (open, write or close), 0 when the
// new content is in place.
int ReplaceFile(const std::string& path, const std::function<void(TextFile&)>& write);
