// Tells a request sent from another web site's page, or to a host the utility does not serve, apart from one sent from its own.
#include "app/request_origin.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>

#include "app/cgi_environment.h"

namespace {

// A host and port as a request names them: host in lower case, port as a number.
struct Authority {
  std::string host;
  unsigned port = 0;  // 0: none given
};

// A page's origin: scheme, host and port, the scheme's default port filled in.
struct Origin {
  std::string scheme;
  Authority authority;
};

constexpr unsigned kLargestPort = 65535;

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char byte) { return static_cast<char>(std::tolower(byte)); });
  return lower;
}

unsigned DefaultPort(std::string_view scheme) { return scheme == "https" ? 443 : 80; }

std::optional<unsigned> ParsePort(std::string_view digits) {
  if (digits.empty() || digits.size() > 5) return std::nullopt;
  unsigned port = 0;
  for (const char digit : digits) {
    if (digit < '0' || digit > '9') return std::nullopt;
    port = port * 10 + static_cast<unsigned>(digit - '0');
  }
  if (port == 0 || port > kLargestPort) return std::nullopt;
  return port;
}

// "host", "host:port", "[v6]" or "[v6]:port"; none for anything else (user
// names, blanks, an empty host, a port that is no port).
std::optional<Authority> ParseAuthority(std::string_view text) {
  std::size_t hostEnd = text.find(':');
  if (!text.empty() && text.front() == '[') {
    hostEnd = text.find(']');
    if (hostEnd == std::string_view::npos) return std::nullopt;
    ++hostEnd;
  }
  const std::string_view host = text.substr(0, hostEnd);
  if (host.empty() || host.find_first_of("@ \t/\\") != std::string_view::npos) return std::nullopt;
  Authority authority{Lower(host)};
  if (hostEnd >= text.size()) return authority;
  if (text[hostEnd] != ':') return std::nullopt;
  const std::optional<unsigned> port = ParsePort(text.substr(hostEnd + 1));
  if (!port) return std::nullopt;
  authority.port = *port;
  return authority;
}

// "http://" or "https://" (as browsers write them, in lower case) and an
// authority, which a Referer follows with the page's path.
std::optional<Origin> ParseOrigin(std::string_view text, bool withPath) {
  const std::size_t separator = text.find("://");
  if (separator == std::string_view::npos) return std::nullopt;
  const std::string_view scheme = text.substr(0, separator);
  if (scheme != "http" && scheme != "https") return std::nullopt;
  std::string_view rest = text.substr(separator + 3);
  if (withPath) rest = rest.substr(0, rest.find_first_of("/?#"));
  std::optional<Authority> authority = ParseAuthority(rest);
  if (!authority) return std::nullopt;
  if (authority->port == 0) authority->port = DefaultPort(scheme);
  return Origin{std::string(scheme), *authority};
}

// Whether the server says the request came over TLS.
bool CameOverTls(const CgiEnvironment& env) {
  return env.https && (Lower(*env.https) == "on" || *env.https == "1");
}

// Whether the page's origin is this host's own. Without a Host header no origin
// can be checked, and "null" (sandboxed or local pages) never matches. A server
// behind a proxy that ends TLS sees plain requests, so only a request known to
// have come over TLS insists on an https page.
bool IsOwnOrigin(const CgiEnvironment& env, const std::optional<Origin>& page) {
  if (!page || !env.host) return false;
  const bool tls = CameOverTls(env);
  if (tls && page->scheme != "https") return false;
  std::optional<Authority> own = ParseAuthority(*env.host);
  if (!own) return false;
  if (own->port == 0) own->port = DefaultPort(tls ? "https" : page->scheme);
  return own->host == page->authority.host && own->port == page->authority.port;
}

bool ComesFromAnotherSite(const CgiEnvironment& env) {
  // "same-site" is another origin of the same domain (another subdomain or port), whose
  // pages the administrator of this utility need not control.
  if (env.secFetchSite == "cross-site" || env.secFetchSite == "same-site") return true;
  if (env.origin) return !IsOwnOrigin(env, ParseOrigin(*env.origin, false));
  return env.referer && !IsOwnOrigin(env, ParseOrigin(*env.referer, true));
}

// Whether an entry of TVQ_ALLOWED_HOSTS names the request's host: the host in
// any letter case, and the port too when the entry gives one.
bool AllowsHost(std::string_view entry, const Authority& host, unsigned defaultPort) {
  const std::size_t first = entry.find_first_not_of(" \t");
  if (first == std::string_view::npos) return false;
  entry = entry.substr(first, entry.find_last_not_of(" \t") + 1 - first);
  const std::optional<Authority> allowed = ParseAuthority(entry);
  if (!allowed || allowed->host != host.host) return false;
  return allowed->port == 0 || allowed->port == (host.port == 0 ? defaultPort : host.port);
}

// Whether TVQ_ALLOWED_HOSTS, when set, names the Host: a page served under a
// name that an attacker's DNS points here is then refused.
bool IsAllowedHost(const CgiEnvironment& env) {
  if (!env.allowedHosts) return true;
  const std::optional<Authority> host = env.host ? ParseAuthority(*env.host) : std::nullopt;
  if (!host) return false;
  const unsigned defaultPort = DefaultPort(CameOverTls(env) ? "https" : "http");
  std::string_view list = *env.allowedHosts;
  while (true) {
    const std::size_t comma = list.find(',');
    if (AllowsHost(list.substr(0, comma), *host, defaultPort)) return true;
    if (comma == std::string_view::npos) return false;
    list.remove_prefix(comma + 1);
  }
}

}  // namespace

RequestSource CheckRequestSource(const CgiEnvironment& env) {
  if (!IsAllowedHost(env)) return RequestSource::kHostNotAllowed;
  return ComesFromAnotherSite(env) ? RequestSource::kAnotherSite : RequestSource::kOwnSite;
}
