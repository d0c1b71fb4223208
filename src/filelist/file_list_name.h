// Which names the file list actions may write a file list under.
#pragma once

#include <string>

struct AppState;

// Why a file list may not be written under a name; kWritable when it may.
enum class FileListName { kWritable, kOutside, kOwnFile, kConfigFile };

// A file list is written only in the engine's data folder (IsInDataFolder),
// never over one of the utility's own files (IsOwnFile) nor over a known
// configuration file. The configuration itself may name any file list for the
// engine; this rule only bounds what the utility writes.
FileListName CheckFileListName(const AppState& state, const std::string& name);

// The reason, for the page, why the file list cannot be saved; empty for kWritable.
const char* FileListNameReason(FileListName verdict);
