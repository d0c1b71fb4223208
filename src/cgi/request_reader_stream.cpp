// The request body from a C++ stream, for tests and benchmarks that serve a request in-process.
#include <istream>

#include "cgi/request_reader.h"

ReadBody BodyFromStream(std::istream& body) {
  return [&body](char* bytes, std::size_t size) {
    body.read(bytes, static_cast<std::streamsize>(size));
    return static_cast<std::size_t>(body.gcount());
  };
}

void ReadRequest(const CgiEnvironment& env, std::istream& body, FormData& form,
                 std::vector<std::string>& messages) {
  ReadRequest(env, BodyFromStream(body), form, messages);
}
