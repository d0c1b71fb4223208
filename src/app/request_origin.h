// Tells a request sent from another web site's page apart from one sent from the utility's own.
#pragma once

struct CgiEnvironment;

// True when the browser says the request came from another site: Sec-Fetch-Site is
// "cross-site" or "same-site", or an Origin is given that is not this host's own.
bool ComesFromAnotherSite(const CgiEnvironment& env);
