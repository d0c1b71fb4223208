// The rule that decides which file names the editor and the configuration copy accept.
#pragma once

#include <string>

// True for a relative name, or an absolute one inside the engine's data
// directory ("tovimarqdata" in it); false for an empty name, any name holding
// "../", and any name holding a zero byte, CR or LF. The name is taken as given.
bool MayEditFile(const std::string& name);

// The note (markup) that the editor pages show for a file the rule refuses.
extern const char kRefusalNote[];
