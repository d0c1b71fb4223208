// Reads the CGI variables from the process environment; the only place that calls getenv.
#include "app/cgi_environment.h"

#include <cstdlib>

namespace {

std::optional<std::string> Variable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

}  // namespace

CgiEnvironment ReadCgiEnvironment() {
  CgiEnvironment env;
  env.contentLength = Variable("CONTENT_LENGTH");
  env.queryString = Variable("QUERY_STRING");
  env.remoteUser = Variable("REMOTE_USER");
  env.remoteAddress = Variable("REMOTE_ADDR");
  env.documentRoot = Variable("DOCUMENT_ROOT");
  env.scriptName = Variable("SCRIPT_NAME");
  env.requestMethod = Variable("REQUEST_METHOD");
  env.secFetchSite = Variable("HTTP_SEC_FETCH_SITE");
  env.origin = Variable("HTTP_ORIGIN");
  env.referer = Variable("HTTP_REFERER");
  env.host = Variable("HTTP_HOST");
  env.historyChanges = Variable("TVQ_HISTORY_CHANGES");
  env.historyMegabytes = Variable("TVQ_HISTORY_MB");
  env.https = Variable("HTTPS");
  env.allowedHosts = Variable("TVQ_ALLOWED_HOSTS");
  return env;
}
