// The CGI environment variables (and the one setting) the utility reads, taken from the process once.
#pragma once

#include <optional>
#include <string>

struct CgiEnvironment {
  std::optional<std::string> contentLength;
  std::optional<std::string> queryString;
  std::optional<std::string> remoteUser;
  std::optional<std::string> remoteAddress;
  std::optional<std::string> documentRoot;
  std::optional<std::string> scriptName;
  std::optional<std::string> requestMethod;
  // Sec-Fetch-Site, Origin and Referer, which browsers send to say which page a request
  // came from, the Host the request was sent to, and HTTPS, which servers set for a
  // request that came over TLS.
  std::optional<std::string> secFetchSite;
  std::optional<std::string> origin;
  std::optional<std::string> referer;
  std::optional<std::string> host;
  std::optional<std::string> https;
  // TVQ_ALLOWED_HOSTS: the host names (with or without port, comma-separated) under
  // which the utility runs actions; any when unset.
  std::optional<std::string> allowedHosts;
  // Bounds of the change history set in the web server's configuration: how
  // many of the newest changes keep their versions, and how many MiB they take.
  std::optional<std::string> historyChanges;
  std::optional<std::string> historyMegabytes;
};

// Reads the variables above from the process environment.
CgiEnvironment ReadCgiEnvironment();
