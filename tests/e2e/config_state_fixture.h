// Fixture for the tests of the known-configuration list: files with chosen
// permissions, and the list and selection as the pages show them.
#pragma once

#include <sys/stat.h>

#include <string>
#include <vector>

#include "support/cgi_test.h"

class ConfigStateTest : public CgiTest {
 protected:
  // A file below the program directory with the given permission bits.
  void WriteFile(const std::string& name, const std::string& content, mode_t mode = 0666) {
    dir.Write(name, content);
    chmod(dir.Path(name).c_str(), mode);
  }

  // Posts the form fields, as the pages do, with the version of the state file they show.
  CgiResponse Request(const std::string& fields, bool unprivileged = false) {
    CgiRequest request;
    request.body = fields + "&" + VersionField("tvqconf.dat");
    request.unprivileged = unprivileged;
    return Run(request);
  }

  // The hidden field of the forms that change the state file, as drawn now.
  std::string StateVersionInput() const {
    const std::string field = VersionField("tvqconf.dat");
    return "<input type=\"hidden\" name=\"version\" value=\"" +
           field.substr(field.find('=') + 1) + "\">\n";
  }

  // The known configurations, in order, as the management page lists them.
  std::vector<std::string> Listed(bool unprivileged = false) {
    const std::string body = Request("target=mconf", unprivileged).Body();
    std::vector<std::string> names;
    const std::string valueStart = "value=\"";
    std::string::size_type at = body.find("<select name=\"ini\" size=5 id=\"ini\">");
    const std::string::size_type end = body.find("</select>", at);
    while ((at = body.find(valueStart, at)) < end) {
      at += valueStart.size();
      names.push_back(body.substr(at, body.find('"', at) - at));
    }
    return names;
  }

  // The selected configuration as the main menu of the next request shows it.
  std::string Current(bool unprivileged = false) {
    return SelectedIn(Request("target=main", unprivileged).Body());
  }

  // The selected configuration shown on a main menu page.
  static std::string SelectedIn(const std::string& body) {
    const std::string marker = "Currently selected configuration file:</font> <b>";
    std::string::size_type start = body.find(marker);
    if (start == std::string::npos) return "(no selected configuration shown)";
    start += marker.size();
    return body.substr(start, body.find("</b>", start) - start);
  }

  static std::string Alert(const std::string& message) { return " alert('" + message + "');\n"; }
};
