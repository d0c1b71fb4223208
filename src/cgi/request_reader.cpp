// Reads the request text from the body or the query string and splits it into fields.
#include "cgi/request_reader.h"

#include <cstdlib>

#include "app/cgi_environment.h"
#include "cgi/url_decode.h"

namespace {

// CONTENT_LENGTH read like atoi: leading digits, 0 when there are none.
long ContentLength(const CgiEnvironment& env) {
  if (!env.contentLength) return 0;
  return std::strtol(env.contentLength->c_str(), nullptr, 10);
}

void AddSegment(const std::string& segment, FormData& form) {
  const std::string::size_type equals = segment.find('=');
  if (equals == std::string::npos) return;
  form.emplace(segment.substr(0, equals), UrlDecode(segment.substr(equals + 1)));
}

}  // namespace

void ParseFormText(const std::string& text, FormData& form) {
  std::string::size_type start = 0;
  while (start <= text.size()) {
    std::string::size_type end = text.find('&', start);
    if (end == std::string::npos) end = text.size();
    AddSegment(text.substr(start, end - start), form);
    start = end + 1;
  }
}

void ReadRequest(const CgiEnvironment& env, const ReadBody& readBody, FormData& form,
                 std::vector<std::string>& messages) {
  const long length = ContentLength(env);
  std::string text;
  if (length > kMaxContentLength) {
    messages.push_back("The request was too large and was ignored");
    return;
  }
  if (length > 0) {
    // Bytes that the body does not deliver stay zero bytes.
    text.assign(static_cast<std::size_t>(length), '\0');
    readBody(text.data(), text.size());
  } else if (env.queryString) {
    text = *env.queryString;
  }
  if (!text.empty()) ParseFormText(text, form);
}
