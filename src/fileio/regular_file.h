// Opening a file only when it is a regular one, so no device, pipe or folder is ever read or written.
#pragma once

#include <sys/stat.h>

#include <string>

// Opens `path` (following symbolic links) with `flags` plus O_NONBLOCK, so a
// pipe cannot hold the request, and checks the open descriptor itself.
// Returns the descriptor with `status` filled in, or -1 with errno set: EISDIR
// for a folder, ENXIO for a device, pipe or socket, else as left by open.
int OpenRegularFile(const std::string& path, int flags, struct stat& status);

// Closes `descriptor` and leaves errno as it was.
void CloseKeepingErrno(int descriptor);

// The whole content of the regular file at `path` (symbolic links followed);
// false with errno set when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& content);

// Makes the entries of `folder` ("" for the working directory) durable, as a
// rename or link in it; false with errno set when it cannot.
bool SyncFolder(const std::string& folder);
