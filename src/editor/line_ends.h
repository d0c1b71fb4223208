// The line ends a saved text gets: those of the file it replaces.
#pragma once

#include <string>
#include <string_view>

// The posted text as it is to be written to `path`. Browsers post every line
// break of a text area as CR LF. A file that holds a CR LF pair gets the text
// as posted; any other (LF only, no line break at all, or no readable file
// yet, since the engine's hosts are Unix systems) gets each CR LF pair as LF.
std::string WithFileLineEnds(const std::string& posted, const std::string& path);

// `text` with every CR that directly precedes an LF removed.
std::string CrLfToLf(std::string_view text);
