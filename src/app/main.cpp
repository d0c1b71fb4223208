// The CGI entry point: wires one request to the real process.
#include <csignal>
#include <cstdlib>

#include "app/app_state.h"
#include "app/request_cycle.h"
#include "app/standard_io.h"

int main(int argc, char** argv) {
  // A write beyond the file size limit must fail as an error the action
  // reports, not end the process before the page is written.
  std::signal(SIGXFSZ, SIG_IGN);
  AppState state;
  state.env = ReadCgiEnvironment();
  const std::string invocationPath = argc > 0 && argv[0] != nullptr ? argv[0] : "";
  // The page is held until its character set is known, at its end or when the
  // page can tell earlier: its CGI header names the character set its values need.
  StandardOutputSink output;
  HeldPage held(output);
  PageWriter page(held);
  RunRequest(state, invocationPath, ReadStandardInput, page);
  page.DecideCharset(true);
  // Leaving through exit skips destroying the state: the process ends anyway,
  // and a large file list would be freed entry by entry.
  std::exit(0);
}
