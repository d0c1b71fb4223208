// The rule that decides which file names the editor accepts.
#pragma once

#include <string>

// True for a name in the engine's data folder (IsInDataFolder) that is none of
// the utility's own files (IsOwnFile, with the program `programName`), whose
// last component does not begin with "." (server files such as .htaccess) and
// that is no regular file with an execute bit (programs, the engine's included).
bool MayEditFile(const std::string& name, const std::string& programName);

// The note (markup) that the editor pages show for a file the rule refuses.
extern const char kRefusalNote[];
