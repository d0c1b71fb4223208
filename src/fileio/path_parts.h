// The two parts of a path around its last "/".
#pragma once

#include <string>

// The folder part with its final "/"; empty for a name without "/".
std::string DirectoryPart(const std::string& path);

// What follows the last "/"; the whole path when it has none.
std::string LastComponent(const std::string& path);
