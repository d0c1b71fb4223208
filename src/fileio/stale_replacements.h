// Clearing away the new files that a request killed while writing left beside their targets.
#pragma once

#include <string>

// Removes from `folder` every regular file named as a new file beside a target
// (IsReplacementName), owned by the process's user, with no other link, that
// has not been written to for more than an hour: no request still writes it.
// One listing of the folder; names of any other form are never examined.
void RemoveStaleReplacements(const std::string& folder);
