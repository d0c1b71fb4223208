// The configuration file format: one "KEY=value" line applied to a SearchConfig.
#pragma once

#include <string>

#include "config/search_config.h"

// Applies one line (without its line end) of a configuration file: marks the
// key's option present and stores its converted value. Lines without "=" and
// unknown keys change nothing.
void ParseConfigLine(SearchConfig& config, const std::string& line);

// "Q", "B", "DQ" or "DB" in any letter case give 1 to 4; anything else leaves
// field unchanged.
void ParseReportWith(const std::string& value, int& field);
