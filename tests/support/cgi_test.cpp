// The end-to-end fixture's helpers.
#include "support/cgi_test.h"

#include "history/version_guard.h"

std::string CgiTest::VersionField(const std::string& name) const {
  return std::string("version=") + CurrentVersionOf(dir.Path(name));
}
