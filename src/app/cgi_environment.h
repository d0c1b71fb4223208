// The CGI environment variables the utility reads, taken from the process once.
#pragma once

#include <optional>
#include <string>

struct CgiEnvironment {
  std::optional<std::string> contentLength;
  std::optional<std::string> queryString;
  std::optional<std::string> remoteUser;
  std::optional<std::string> documentRoot;
  std::optional<std::string> scriptName;
};

// Reads the variables above from the process environment.
CgiEnvironment ReadCgiEnvironment();
