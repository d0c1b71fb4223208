// The entries of a folder as its listing types them, without examining each one.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// What a listing says an entry is. A symbolic link, or an entry the listing
// leaves untyped, could be anything once followed.
enum class ListedType { kFolder, kOther, kUnsure };

// Hands every entry of `folder` ("" for the working directory) to `visit`
// until it returns false. Returns false, visiting nothing, when the folder
// cannot be read, or when it cannot be searched: then a status query of an
// entry in it would fail whatever the listing says.
bool VisitListedEntries(const std::string& folder,
                        const std::function<bool(std::string_view name, ListedType type)>& visit);
