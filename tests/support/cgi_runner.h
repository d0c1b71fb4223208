// Runs the built CGI program as a web server would: argv[0], environment, body on stdin.
#pragma once

#include <sys/resource.h>

#include <map>
#include <optional>
#include <string>

struct CgiRequest {
  // Sent as QUERY_STRING when set.
  std::optional<std::string> query;
  // Sent on stdin with CONTENT_LENGTH set to its size when set.
  std::optional<std::string> body;
  // REMOTE_USER; unset means the utility is not password protected.
  std::optional<std::string> remoteUser = std::string("admin");
  // Further variables (DOCUMENT_ROOT, HTTP_ORIGIN, REQUEST_METHOD or CONTENT_LENGTH
  // overrides...). REQUEST_METHOD is POST with a body and GET without one.
  std::map<std::string, std::string> env;
  // Drop root privileges to nobody/nogroup before starting the program. Such a request
  // starts a copy of the program in a folder that every user can reach, so that it runs
  // wherever the build tree lies (a clone under a mode 700 home folder, say).
  bool unprivileged = false;
  // RLIMIT_FSIZE of the program: it cannot make files longer than this.
  std::optional<rlim_t> fileSizeLimit;
};

struct CgiResponse {
  std::string output;  // everything written on stdout
  int exitStatus = -1;  // -1 when the program did not exit normally

  // The part of the output after the blank line that ends the CGI header.
  std::string Body() const;
  // The header lines, up to and including the blank line.
  std::string Header() const;
};

// Starts `program` with argv[0] = directory + "/tvqconf.cgi" and waits for it.
CgiResponse RunCgi(const std::string& program, const std::string& directory,
                   const CgiRequest& request);

// Path of the CGI program under test (set by the build).
std::string CgiProgramPath();

// The same program linked dynamically, which LD_PRELOAD reaches, and the
// library that records and fails its fsync calls (support/fsync_seam.cpp).
std::string DynamicCgiProgramPath();
std::string FsyncSeamPath();
