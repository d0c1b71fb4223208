// The rule that decides which file names the editor and the configuration copy accept.
#pragma once

#include <string>

// True for a relative name, or an absolute one inside the engine's data
// directory ("tovimarqdata" in it); false for an empty name, any name holding
// "../", and any name holding a zero byte, CR or LF. The name is taken as given.
// The utility's own files are refused however they are named: the state file,
// the lock file and the program `programName` (relative to the working
// directory, the program's own), recognised by identity when the name exists
// and by its last path component when it does not.
bool MayEditFile(const std::string& name, const std::string& programName);

// The note (markup) that the editor pages show for a file the rule refuses.
extern const char kRefusalNote[];
