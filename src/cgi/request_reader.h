// Reads the CGI request (posted body or query string) into FormData.
#pragma once

#include <istream>
#include <string>
#include <vector>

#include "cgi/form_data.h"

struct CgiEnvironment;

// Requests larger than this are not read at all.
constexpr long kMaxContentLength = 8L * 1024 * 1024;

// Splits "a=1&b=2" at "&" and "=" and adds the decoded pairs to `form`.
void ParseFormText(const std::string& text, FormData& form);

// Fills `form` from CONTENT_LENGTH and `body`, or else QUERY_STRING. A request
// above kMaxContentLength leaves the form empty and adds a message.
void ReadRequest(const CgiEnvironment& env, std::istream& body, FormData& form,
                 std::vector<std::string>& messages);
