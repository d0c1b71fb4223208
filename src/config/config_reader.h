// The configuration file format: one "KEY=value" line applied to a SearchConfig.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/search_config.h"

// Applies one line (without its line end) of a configuration file: marks the
// key's option present and stores its converted value. Lines without "=" and
// unknown keys change nothing.
void ParseConfigLine(SearchConfig& config, const std::string& line);

// The field whose option the line sets, as ParseConfigLine recognises its key;
// none for a line that sets nothing.
std::optional<ConfigField> ConfigLineField(const std::string& line);

// The line "KEY=value" that reads back as `value`: for the keys whose values
// the reader decodes, "%" and "+" are written escaped.
std::string ConfigLine(std::string_view key, std::string_view value);

// Whether the line has a place in a configuration file: blank, a comment (its
// first non-blank byte ";" or "#"), or a non-empty key followed by "=".
bool IsConfigLine(const std::string& line);

// "Q", "B", "DQ" or "DB" in any letter case give 1 to 4; anything else leaves
// field unchanged.
void ParseReportWith(const std::string& value, int& field);
