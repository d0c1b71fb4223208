// Tells a request sent from another web site's page, or to a host the utility does not serve, apart from one sent from its own.
#pragma once

struct CgiEnvironment;

// Where a request comes from, as far as an action may care.
enum class RequestSource { kOwnSite, kAnotherSite, kHostNotAllowed };

// kAnotherSite when the browser says the request came from another site:
// Sec-Fetch-Site is "cross-site" or "same-site", or the Origin (or, without
// one, the Referer) names another scheme, host or port than the request's
// Host. kHostNotAllowed when TVQ_ALLOWED_HOSTS is set and does not name the
// Host. Hosts compare without regard to letter case, ports with the scheme's
// default port filled in.
RequestSource CheckRequestSource(const CgiEnvironment& env);
