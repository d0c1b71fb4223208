// The page frame: CGI header, document head, page header with alerts, page end.
#include "html/page_writer.h"

#include <algorithm>
#include <charconv>
#include <cstring>

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

// Escapes straight into the buffer, a piece that surely fits at a time. A piece
// never ends between a CR and the LF after it, which a text area leaves out.
template <typename Escape>
void PageWriter::WriteEscaped(std::string_view value, Escape escape) {
  constexpr std::size_t kPiece = (kBufferSize - EscapedRoom(0)) / kMaxEscapedByteSize;
  while (!value.empty()) {
    std::size_t size = std::min(value.size(), kPiece);
    if (size < value.size() && value[size - 1] == '\r') --size;
    if (EscapedRoom(size) > Room()) Flush();
    char* const start = buffer_.data() + used_;
    used_ += static_cast<std::size_t>(escape(start, value.substr(0, size)) - start);
    value.remove_prefix(size);
  }
  Written();
}

// The way of a value that may not fit, and of every value of a writer over a stream.
PageWriter& PageWriter::WriteValueInPieces(std::string_view value) {
  WriteEscaped(value, EscapeMarkupTo);
  return *this;
}

bool PageWriter::WriteTextArea(std::string_view text) {
  bool control = false;
  WriteEscaped(text, [&control](char* out, std::string_view piece) {
    return EscapeTextAreaTo(out, piece, control);
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
    "}\n"
    "</style>\n";

}  // namespace

void PageWriter::WriteDocumentStart(std::string_view title) {
  // The search engine folds letter case by windows-1252, so names are bytes of that
  // code page; naming it keeps browsers from guessing another and posting names back
  // changed. The page may not be framed, kept in a cache, sniffed as another type or
  // name its address to other sites.
  WriteString(
      "Content-type: text/html; charset=windows-1252\n"
      "Expires: Thu, 01 Dec 1994 16:00:00 GMT\n"
      "X-Frame-Options: DENY\n"
      "Content-Security-Policy: frame-ancestors 'none'\n"
      "Cache-Control: no-store\n"
      "X-Content-Type-Options: nosniff\n"
      "Referrer-Policy: same-origin\n"
      "\n"
      "<html lang=\"en\"><head>\n<title>Tovimarq(tm) configuration utility - ");
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
