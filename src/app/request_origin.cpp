// Tells a request sent from another web site's page apart from one sent from the utility's own.
#include "app/request_origin.h"

#include "app/cgi_environment.h"

namespace {

// The origin a browser sends from a page of this host: the scheme in lower case, as
// browsers write it, then the Host header byte for byte. Without a Host header no
// origin can be checked, and "null" (sandboxed or local pages) never matches.
bool IsOwnOrigin(const std::string& origin, const std::optional<std::string>& host) {
  return host && (origin == "http://" + *host || origin == "https://" + *host);
}

}  // namespace

bool ComesFromAnotherSite(const CgiEnvironment& env) {
  // "same-site" is another origin of the same domain (another subdomain or port), whose
  // pages the administrator of this utility need not control.
  if (env.secFetchSite == "cross-site" || env.secFetchSite == "same-site") return true;
  return env.origin && !IsOwnOrigin(*env.origin, env.host);
}
