// What the fuzz targets share: a checked property and a scratch folder of their own.
#pragma once

#include <string>

// Ends the run with a report naming `property` when it does not hold.
void Require(bool holds, const char* property);

// A fresh folder for this process, created on first use and removed with its
// content when the process exits normally.
const std::string& ScratchFolder();

// Replaces the file at `path` with `content`, byte for byte.
void WriteFile(const std::string& path, const std::string& content);
