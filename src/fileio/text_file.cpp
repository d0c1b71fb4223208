// The text file object: line and block reading, line writing, one process-wide error code.
#include "fileio/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "fileio/regular_file.h"

int lastFileError = 0;
int lastFileErrno = 0;

namespace {

constexpr int kOpenErrorBase = 100;
constexpr int kNoStreamError = 103;
constexpr int kIoError = 1;

void RecordFailure(int error) {
  lastFileError = error;
  lastFileErrno = errno;
}

bool StatusOf(const std::string& path, struct stat& status) {
  return stat(path.c_str(), &status) == 0;
}

// Appends the bytes of [begin, end) to `line`, leaving out every CR and
// whatever would make the line longer than kMaxLineLength.
void AppendWithoutCarriageReturns(std::string& line, const char* begin, const char* end) {
  while (begin < end && line.size() < kMaxLineLength) {
    const void* found = std::memchr(begin, '\r', static_cast<std::size_t>(end - begin));
    const char* stop = found != nullptr ? static_cast<const char*>(found) : end;
    const std::size_t room = kMaxLineLength - line.size();
    line.append(begin, std::min(static_cast<std::size_t>(stop - begin), room));
    begin = stop == end ? end : stop + 1;
  }
}

// A read stream on `path` when it is a regular file, with its length in `size`;
// nullptr with errno set otherwise.
std::FILE* OpenForReading(const std::string& path, long& size) {
  struct stat status;
  const int descriptor = OpenRegularFile(path, O_RDONLY, status);
  if (descriptor < 0) return nullptr;
  std::FILE* stream = fdopen(descriptor, "rb");
  if (stream == nullptr) {
    CloseKeepingErrno(descriptor);
    return nullptr;
  }
  size = static_cast<long>(status.st_size);
  return stream;
}

}  // namespace

int TakeFileError() {
  const int error = lastFileError;
  lastFileError = 0;
  return error;
}

bool IsDirectory(const std::string& path) {
  struct stat status;
  return StatusOf(path, status) && S_ISDIR(status.st_mode);
}

bool IsFile(const std::string& path) {
  struct stat status;
  return StatusOf(path, status) && !S_ISDIR(status.st_mode);
}

TextFile::~TextFile() {
  if (stream_ != nullptr) AbandonReplacement(stream_, replacement_);
}

void TextFile::SetPath(const std::string& path) {
  if (stream_ != nullptr) {
    const int kept = lastFileError;
    Close();
    lastFileError = kept;
  }
  path_ = path;
  buffered_ = 0;
}

void TextFile::OpenRead() { Open(false); }

void TextFile::OpenWrite() { Open(true); }

void TextFile::Open(bool forWriting) {
  if (stream_ != nullptr) SetPath(std::string(path_));
  buffered_ = 0;
  readFailed_ = false;
  writeFailed_ = false;
  writing_ = forWriting;
  replacement_ = FileReplacement();
  hasher_.Reset();
  // The file system would cut the name at a zero byte and open another file.
  if (path_.find('\0') != std::string::npos) {
    errno = EINVAL;
    RecordFailure(kOpenErrorBase + EINVAL);
    return;
  }
  stream_ = forWriting ? OpenReplacement(path_, replacement_) : OpenForReading(path_, readSize_);
  if (stream_ == nullptr) {
    RecordFailure(kOpenErrorBase + errno);
    return;
  }
  if (!forWriting) GiveReadBuffer();
}

// A buffer given to the stream spares it a status query to size one itself.
// One byte more than the file holds lets a small file be read whole at once.
// Writes keep the stream's own, smaller buffer, so a failed write shows early.
void TextFile::GiveReadBuffer() {
  const std::size_t size =
      std::min(static_cast<std::size_t>(readSize_) + 1, kLargestReadBuffer);
  // Left unset: the stream fills it before reading from it.
  readBuffer_.reset(new char[size]);
  std::setvbuf(stream_, readBuffer_.get(), _IOFBF, size);
}

bool TextFile::HasStream() {
  if (stream_ == nullptr) lastFileError = kNoStreamError;
  return stream_ != nullptr;
}

void TextFile::ReadLine(std::string& line) {
  line.clear();
  while (!TakeBufferedLine(line) && Refill()) {
  }
}

bool TextFile::TakeBufferedLine(std::string& line) {
  const char* const begin = buffer_ + bufferStart_;
  const std::size_t count = static_cast<std::size_t>(buffered_);
  const void* found = std::memchr(begin, '\n', count);
  const char* end = found != nullptr ? static_cast<const char*>(found) : begin + count;
  if (carriageReturns_) {
    AppendWithoutCarriageReturns(line, begin, end);
  } else {
    line.append(begin, std::min(static_cast<std::size_t>(end - begin), kMaxLineLength - line.size()));
  }
  if (found == nullptr) {
    buffered_ = 0;
    return false;
  }
  // The rest stays where it is: the next line starts after the LF.
  const std::size_t taken = static_cast<std::size_t>(end + 1 - begin);
  bufferStart_ += taken;
  buffered_ -= static_cast<int>(taken);
  return true;
}

// A failed read counts as the end of the file, so reading loops always end.
bool TextFile::Refill() {
  if (readFailed_ && stream_ != nullptr) return false;
  std::size_t delivered = 0;
  ReadBytes(buffer_, sizeof buffer_, delivered);
  bufferStart_ = 0;
  buffered_ = static_cast<int>(delivered);
  carriageReturns_ = std::memchr(buffer_, '\r', delivered) != nullptr;
  return delivered > 0;
}

bool TextFile::AtEnd() {
  if (!HasStream()) return true;
  return buffered_ == 0 && (std::feof(stream_) != 0 || readFailed_);
}

void TextFile::WriteLine(const std::string& text) {
  if (!HasStream()) return;
  WriteBytes(text.data(), text.size());
  WriteBytes("\n", 1);
}

void TextFile::WriteText(const std::string& text) {
  if (!HasStream() || text.empty()) return;
  WriteBytes(text.data(), text.size());
}

void TextFile::WriteBytes(const char* bytes, std::size_t count) {
  hasher_.Add(bytes, count);
  std::fwrite(bytes, 1, count, stream_);
  if (std::ferror(stream_) != 0) {
    RecordFailure(kIoError);
    writeFailed_ = true;
    std::clearerr(stream_);
  }
}

// A file being read has the length it had when opened (a file is replaced, not
// changed, while it is read); the length of one being written comes from the
// status of its descriptor once the bytes written are flushed.
long TextFile::Size() {
  if (!HasStream()) return 0;
  if (!writing_) return readSize_;
  struct stat status;
  if (std::fflush(stream_) != 0 || fstat(fileno(stream_), &status) != 0) {
    RecordFailure(kIoError);
    return 0;
  }
  return static_cast<long>(status.st_size);
}

void TextFile::ReadBytes(char* destination, std::size_t count, std::size_t& delivered) {
  delivered = 0;
  if (!HasStream()) return;
  delivered = std::fread(destination, 1, count, stream_);
  hasher_.Add(destination, delivered);
  if (std::ferror(stream_) != 0) {
    RecordFailure(kIoError);
    readFailed_ = true;
  }
}

void TextFile::Close() {
  if (HasStream()) {
    const int error = writing_ ? FinishReplacement(stream_, replacement_, writeFailed_, ContentId())
                               : (std::fclose(stream_) == 0 ? 0 : kNoStreamError);
    if (error != 0) RecordFailure(error);
    stream_ = nullptr;
  }
  path_.clear();
}

std::string SaveFailureMessage(const std::string& name, int error) {
  const std::string reason = std::strerror(lastFileErrno);
  if (error == kReplacementNotKeptError) {
    return name + " was not changed: its previous version could not be kept (" + reason + ")";
  }
  return "Error writing file " + name + ": " + reason + ". The file was not changed.";
}

int ReplaceFile(const std::string& path, const std::function<void(TextFile&)>& write) {
  TextFile file;
  file.SetPath(path);
  file.OpenWrite();
  if (const int error = TakeFileError(); error != 0) return error;
  write(file);
  // The first failure of a write is kept: Close only adds its own when none came before.
  const int writeError = TakeFileError();
  const int writeErrno = lastFileErrno;
  file.Close();
  const int closeError = TakeFileError();
  if (writeError == 0) return closeError;
  lastFileErrno = writeErrno;
  return writeError;
}
