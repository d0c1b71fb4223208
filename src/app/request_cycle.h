// One request from start to page: directory, form, state and action, page.
#pragma once

#include <string>

#include "cgi/request_reader.h"
#include "html/page_writer.h"

struct AppState;

// Index of the last byte of `path` that occurs in `separators`; -1 when none does.
int LastSeparatorIndex(const std::string& path, const std::string& separators);

// The part of `path` after its last slash, backslash or colon.
std::string FileNameOf(const std::string& path);

// Changes to the directory part of the invocation path (up to its last slash
// or backslash); a path without one leaves the working directory unchanged.
void EnterProgramDirectory(const std::string& invocationPath);

// Serves one request: `state.env` must already hold the CGI environment.
void RunRequest(AppState& state, const std::string& invocationPath,
                const ReadBody& readBody, PageWriter& page);
