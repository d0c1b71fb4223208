// Output operations shared by every page: raw markup, escaped values, frame pieces.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "html/escape.h"

// Where the bytes of a page go: the process's standard output, or a stream in tests.
class PageSink {
 public:
  virtual ~PageSink() = default;
  virtual void Write(const char* bytes, std::size_t size) = 0;
  // The page's character set is known before the page is complete.
  virtual void CharsetKnown(bool /*utf8*/) {}
};

class PageWriter {
 public:
  // Collects the page in a buffer that goes to `sink` whenever it fills, and at Flush.
  explicit PageWriter(PageSink& sink);
  // Writes every piece into `out` at once, so the stream holds the page as it grows.
  explicit PageWriter(std::ostream& out);
  ~PageWriter();
  PageWriter(const PageWriter&) = delete;
  PageWriter& operator=(const PageWriter&) = delete;

  // Fixed markup of the program, written byte for byte (zero bytes included).
  // Inline, so that the copy of a literal is a few moves.
  PageWriter& WriteString(std::string_view markup) {
    if (markup.size() > Room() || writeThrough_) return WriteStringFlushing(markup);
    std::memcpy(buffer_.data() + used_, markup.data(), markup.size());
    used_ += markup.size();
    return *this;
  }
  // A value from the request, the state or a file, escaped for markup.
  PageWriter& WriteValue(std::string_view value) {
    if (EscapedRoom(value.size()) > Room() || writeThrough_) return WriteValueInPieces(value);
    char* const end = EscapeMarkupTo(buffer_.data() + used_, value, utf8_);
    used_ = static_cast<std::size_t>(end - buffer_.data());
    return *this;
  }
  // The content of a text area: escaped like a value, and every LF that
  // directly follows a CR left out. Returns whether the text holds a control
  // byte other than TAB, LF and CR.
  bool WriteTextArea(std::string_view text);
  // A number in decimal.
  PageWriter& WriteNumber(long number);
  // Hands the buffered bytes to the sink.
  void Flush();
  // Whether every value, text area and message written so far is valid UTF-8.
  bool AllUtf8() const { return utf8_; }
  // A page whose remaining values are known tells whether they are all UTF-8,
  // so that the page need not be held to its end (a long file list).
  void DecideCharset(bool restUtf8);

  // Document head up to the title. The CGI header comes before it, written
  // when the page is complete (WriteCgiHeader).
  void WriteDocumentStart(std::string_view title);
  // Body start, password warning, alert block and the heading row of the table.
  // The heading is markup of the program; headingValue, when given, is a value
  // appended to it escaped (the editor's file name).
  void WritePageHeader(std::string_view heading, std::string_view headingValue,
                       int columns, bool passwordProtected,
                       const std::vector<std::string>& messages);
  void WritePageEnd();

  // "<script language=...><!--\n" and "//--></script>\n" around a script block.
  void WriteScriptStart();
  void WriteScriptEnd();

 private:
  // Large enough that a page of a few kilobytes goes out in one write.
  static constexpr std::size_t kBufferSize = 64 * 1024;

  // escape(out, piece) writes a piece of `value` escaped and returns its end.
  template <typename Escape>
  void WriteEscaped(std::string_view value, Escape escape);
  PageWriter& WriteStringFlushing(std::string_view markup);
  PageWriter& WriteValueInPieces(std::string_view value);
  PageWriter& Written();
  std::size_t Room() const { return kBufferSize - used_; }

  PageSink* sink_;
  // The stream adapter of the second constructor.
  std::unique_ptr<PageSink> ownSink_;
  bool writeThrough_ = false;
  bool utf8_ = true;
  std::size_t used_ = 0;
  std::array<char, kBufferSize> buffer_;
};

// The CGI header of a page: it is served as UTF-8 when every value on it is
// valid UTF-8, else as windows-1252, in which every byte stands for a character.
// Browsers post a form in its page's character set, so names go back byte for byte.
void WriteCgiHeader(PageSink& sink, bool utf8);

// A sink that holds the page until its character set is known, at the end or
// when the page tells it earlier, and then hands `out` the CGI header naming it,
// the page held and whatever follows.
class HeldPage : public PageSink {
 public:
  explicit HeldPage(PageSink& out) : out_(out) {}
  ~HeldPage() override;
  HeldPage(const HeldPage&) = delete;
  HeldPage& operator=(const HeldPage&) = delete;

  void Write(const char* bytes, std::size_t size) override;
  void CharsetKnown(bool utf8) override;
  bool Released() const { return released_; }

 private:
  PageSink& out_;
  bool released_ = false;
  // Grown by realloc, which moves a large block without copying it.
  char* bytes_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};
