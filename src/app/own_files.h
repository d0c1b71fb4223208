// The files and folders that belong to the utility itself, which no action may write as data.
#pragma once

#include <string>

// The folder beside the state file that keeps the history of changes.
extern const char kHistoryFolderName[];

// Whether `name` denotes one of the utility's own places: the state file, the
// lock file, the program `programName`, or the history folder or anything in
// it. Names are taken relative to the working directory, the program's own.
// An existing name is recognised by identity (other spellings, links), a name
// still to be created by its last component, or by the folder it would be
// created in.
bool IsOwnFile(const std::string& name, const std::string& programName);

// Whether `name` lies in the engine's data folder as far as its spelling shows:
// a relative name, or an absolute one holding "tovimarqdata"; never an empty
// name, one holding "../", or one holding a zero byte, CR or LF.
bool IsInDataFolder(const std::string& name);
