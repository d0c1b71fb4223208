// Reads and writes the file list.
#include "filelist/file_list.h"

void FileList::Load(const AppState&, const std::string&) { entries_.clear(); }
