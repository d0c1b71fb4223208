// The one record shared by every action and page of a request.
#pragma once

#include <string>
#include <vector>

#include "app/cgi_environment.h"
#include "cgi/form_data.h"
#include "fileio/content_id.h"
#include "config/search_config.h"
#include "filelist/file_list.h"

struct AppState {
  SearchConfig searchConfig;
  FormData form;
  FileList fileList;
  std::vector<std::string> configFiles;
  std::string currentConfig = "tovimarq.ini";
  std::string fileListName;
  std::string browseDir;
  std::string programName;
  std::vector<std::string> messages;
  std::string editFile;
  bool stateLoaded = false;
  // The id of the state file as loaded (kNoContent: there was none).
  std::string stateVersion = kNoContent;
  bool configLoaded = false;
  // A save was refused or failed: the form's page is drawn again from what was
  // posted, so that nothing typed is lost.
  bool redrawPosted = false;
  // The CGI variables, read once by the entry point.
  CgiEnvironment env;
};
