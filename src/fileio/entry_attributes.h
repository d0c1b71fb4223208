// The directory flag of one listed entry.
#pragma once

#include <cstdint>

// kDirectoryAttribute when the listing types the entry `name` of the open
// directory `directoryFd` as a directory, else 0. An entry the listing leaves
// untyped is examined itself, without following a symbolic link, so that it is
// typed as a listing that reports types would have typed it.
std::uint32_t EntryAttributes(int directoryFd, const char* name, unsigned char type);
