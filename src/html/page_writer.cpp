// The page frame: CGI header, document head, page header with alerts, page end.
#include "html/page_writer.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <new>

#include "html/escape.h"

PageWriter::PageWriter(PageSink& sink) : sink_(&sink) {}

PageWriter::~PageWriter() { Flush(); }

void PageWriter::Flush() {
  if (used_ > 0) sink_->Write(buffer_.data(), used_);
  used_ = 0;
}

// A writer over a stream passes every piece on as soon as it is written.
PageWriter& PageWriter::Written() {
  if (writeThrough_) Flush();
  return *this;
}

// The way of a piece that does not fit, and of every piece of a writer over a stream.
PageWriter& PageWriter::WriteStringFlushing(std::string_view markup) {
  if (markup.size() > Room()) {
    Flush();
    if (markup.size() > kBufferSize) {
      sink_->Write(markup.data(), markup.size());
      return *this;
    }
  }
  std::memcpy(buffer_.data() + used_, markup.data(), markup.size());
  used_ += markup.size();
  return Written();
}

namespace {

// The size of a piece of `value` that ends neither between a CR and the LF after
// it, which a text area leaves out, nor inside a UTF-8 sequence, which the
// escaper would judge invalid.
std::size_t PieceSize(std::string_view value, std::size_t size) {
  if (size == value.size()) return size;
  constexpr std::size_t kLongestSequence = 4;
  for (std::size_t step = 1; step < kLongestSequence && size > step; ++step) {
    if ((static_cast<unsigned char>(value[size]) & 0xC0) != 0x80) break;
    --size;
  }
  if (value[size - 1] == '\r') --size;
  return size;
}

}  // namespace

// Escapes straight into the buffer, a piece that surely fits at a time.
template <typename Escape>
void PageWriter::WriteEscaped(std::string_view value, Escape escape) {
  constexpr std::size_t kPiece = (kBufferSize - EscapedRoom(0)) / kMaxEscapedByteSize;
  while (!value.empty()) {
    const std::size_t size = PieceSize(value, std::min(value.size(), kPiece));
    if (EscapedRoom(size) > Room()) Flush();
    char* const start = buffer_.data() + used_;
    used_ += static_cast<std::size_t>(escape(start, value.substr(0, size)) - start);
    value.remove_prefix(size);
  }
  Written();
}

// The way of a value that may not fit, and of every value of a writer over a stream.
PageWriter& PageWriter::WriteValueInPieces(std::string_view value) {
  WriteEscaped(value, [this](char* out, std::string_view piece) {
    return EscapeMarkupTo(out, piece, utf8_);
  });
  return *this;
}

bool PageWriter::WriteTextArea(std::string_view text) {
  bool control = false;
  WriteEscaped(text, [this, &control](char* out, std::string_view piece) {
    return EscapeTextAreaTo(out, piece, control, utf8_);
  });
  return control;
}

PageWriter& PageWriter::WriteNumber(long number) {
  constexpr std::size_t kMaxDigits = 24;
  if (Room() >= kMaxDigits && !writeThrough_) {
    char* const start = buffer_.data() + used_;
    used_ += static_cast<std::size_t>(std::to_chars(start, start + kMaxDigits, number).ptr - start);
    return *this;
  }
  char digits[kMaxDigits];
  const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, number);
  return WriteString(std::string_view(digits, static_cast<std::size_t>(end.ptr - digits)));
}

namespace {

// Phones lay the page out at their own width. There the cells wrap their text
// (long paths anywhere), no control is wider than its cell nor lower than a
// finger, each search default's help goes below its name and value, and a
// table too wide to wrap scrolls on its own.
const char kPhoneLayout[] =
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
    "<style>\n"
    "@media (max-width: 640px) {\n"
    " td { white-space: normal; overflow-wrap: anywhere; }\n"
    " form[name=editdef] > table:first-of-type tr { display: flex; flex-wrap: wrap; }\n"
    " form[name=editdef] > table:first-of-type td:nth-child(2) { flex: 1; }\n"
    " form[name=editdef] > table:first-of-type td:nth-child(3) { flex-basis: 100%; }\n"
    " input, select, textarea { max-width: 100%; min-height: 24px; box-sizing: border-box; }\n"
    " input[type=text], textarea { width: 100%; }\n"
    " input[type=button], input[type=submit] { white-space: normal; }\n"
    " input[type=checkbox], input[type=radio] { width: 24px; height: 24px; }\n"
    " .scrolls { overflow-x: auto; max-width: calc(100vw - 40px); }\n"
    " .scrolls table.history td, .scrolls table.diff td { white-space: nowrap; "
    "overflow-wrap: normal; }\n"
    "}\n"
    "</style>\n";

}  // namespace

void WriteCgiHeader(PageSink& sink, bool utf8) {
  // Naming the character set keeps browsers from guessing another and posting
  // names back changed. The page may not be framed, kept in a cache, sniffed as
  // another type or name its address to other sites.
  const std::string_view type = utf8 ? "Content-type: text/html; charset=utf-8\n"
                                     : "Content-type: text/html; charset=windows-1252\n";
  const std::string_view rest =
      "Expires: Thu, 01 Dec 1994 16:00:00 GMT\n"
      "X-Frame-Options: DENY\n"
      "Content-Security-Policy: frame-ancestors 'none'\n"
      "Cache-Control: no-store\n"
      "X-Content-Type-Options: nosniff\n"
      "Referrer-Policy: same-origin\n"
      "\n";
  sink.Write(type.data(), type.size());
  sink.Write(rest.data(), rest.size());
}

HeldPage::~HeldPage() { std::free(bytes_); }

void HeldPage::Write(const char* bytes, std::size_t size) {
  if (released_) {
    out_.Write(bytes, size);
    return;
  }
  if (size > capacity_ - size_) {
    const std::size_t capacity = std::max(2 * capacity_, size_ + size);
    char* const grown = static_cast<char*>(std::realloc(bytes_, capacity));
    if (grown == nullptr) throw std::bad_alloc();
    bytes_ = grown;
    capacity_ = capacity;
  }
  std::memcpy(bytes_ + size_, bytes, size);
  size_ += size;
}

void HeldPage::CharsetKnown(bool utf8) {
  if (released_) return;
  released_ = true;
  WriteCgiHeader(out_, utf8);
  if (size_ > 0) out_.Write(bytes_, size_);
  std::free(bytes_);
  bytes_ = nullptr;
  size_ = capacity_ = 0;
}

void PageWriter::DecideCharset(bool restUtf8) {
  utf8_ = utf8_ && restUtf8;
  Flush();
  sink_->CharsetKnown(utf8_);
}

void PageWriter::WriteDocumentStart(std::string_view title) {
  WriteString("<html lang=\"en\"><head>\n<title>Tovimarq(tm) configuration utility - ");
  WriteString(title);
  WriteString("</title>\n");
  WriteString(kPhoneLayout);
}

void PageWriter::WriteScriptStart() {
  WriteString("<script language=\"JavaScript\"><!--\n");
}

void PageWriter::WriteScriptEnd() { WriteString("//--></script>\n"); }

void PageWriter::WritePageHeader(std::string_view heading,
                                 std::string_view headingValue, int columns,
                                 bool passwordProtected,
                                 const std::vector<std::string>& messages) {
  WriteString(
      "</head>\n<body bgcolor=\"#c0c0c0\">\n<h3 align=\"center\">"
      "Tovimarq&#153; v1.1 configuration utility</h2>\n");
  if (!passwordProtected) {
    WriteString(
        "<p><b><font color=\"#a00000\">WARNING!</font> The Tovimarq&#153; "
        "configuration\n utility is not currently protected with a password. "
        "Contact your\n web site administrator to restrict access to the "
        "utility.</b></p>\n");
  }
  if (!messages.empty()) {
    WriteScriptStart();
    for (const std::string& message : messages) {
      // A message may name a file: its bytes count for the page's character set.
      utf8_ = utf8_ && IsUtf8(message);
      WriteString(" alert('").WriteString(EscapeAlert(message)).WriteString("');\n");
    }
    WriteScriptEnd();
  }
  WriteString("<table width=100% border=1 cellspacing=0 cellpadding=4>\n<tr>\n<td");
  if (columns > 1) WriteString(" colspan=").WriteNumber(columns);
  WriteString(" align=\"center\" bgcolor=\"#666666\">\n <font color=\"#ffffff\"><b>");
  WriteString(heading).WriteValue(headingValue);
  WriteString("</b></font>\n</td>\n</tr>\n");
}

void PageWriter::WritePageEnd() { WriteString("</body>\n</html>"); }
