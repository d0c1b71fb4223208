// Reads the CGI request (posted body or query string) into FormData.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "cgi/form_data.h"

struct CgiEnvironment;

// Requests larger than this are not read at all.
constexpr long kMaxContentLength = 8L * 1024 * 1024;

// Reads up to `size` bytes of the request body into `bytes` and returns how many
// it read; fewer only at the end of the body.
using ReadBody = std::function<std::size_t(char* bytes, std::size_t size)>;

// Splits "a=1&b=2" at "&" and "=" and adds the decoded pairs to `form`.
void ParseFormText(const std::string& text, FormData& form);

// Fills `form` from CONTENT_LENGTH and the body, or else QUERY_STRING. A request
// above kMaxContentLength leaves the form empty and adds a message.
void ReadRequest(const CgiEnvironment& env, const ReadBody& readBody, FormData& form,
                 std::vector<std::string>& messages);

// Reads the body from a stream, which must outlive the reader.
ReadBody BodyFromStream(std::istream& body);

// The same with the body taken from a stream.
void ReadRequest(const CgiEnvironment& env, std::istream& body, FormData& form,
                 std::vector<std::string>& messages);
