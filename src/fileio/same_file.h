// Whether two names lead to one file.
#pragma once

#include <string>

// Compares device and inode when both names lead to a file (links and other
// spellings included); names of which one does not, or which hold a zero byte,
// CR or LF, are compared as text.
bool IsSameFile(const std::string& first, const std::string& second);
