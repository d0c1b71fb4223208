// The guard against stale pages: forms that replace a whole file carry the id of
// the file as the page showed it, and the save goes ahead only while it still holds.
#pragma once

#include <string>

#include "html/page_writer.h"

struct AppState;

// The hidden field that carries the id.
inline constexpr char kVersionField[] = "version";

// <input type="hidden" name="version" value="ID">
void WriteVersionField(PageWriter& out, const std::string& id);

// The id of `file` as it stands now; kNoContent when it is missing or unreadable.
std::string CurrentVersionOf(const std::string& file);

// Whether the form's version is the id of `file` as it stands now. When it is
// not, or the form has none, appends the message that the save was refused.
bool PostedVersionIsCurrent(AppState& state, const std::string& file);

// Has the page of the form `target` drawn again, from what was posted.
void RedrawPostedForm(AppState& state, const std::string& target);
