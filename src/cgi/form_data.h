// The decoded request: an ordered multimap from field name to value, and its lookups.
#pragma once

#include <map>
#include <string>
#include <vector>

// Names sort bytewise as unsigned bytes (std::string's ordering); equal names
// keep request order, which std::multimap guarantees for insertions at the end.
using FormData = std::multimap<std::string, std::string>;

// Stores the first value of `name` in `value`; false (value untouched) when absent.
bool GetField(const FormData& form, const std::string& name, std::string& value);

// Reads a decimal integer like scanf("%d") from the start of `text` (up to its
// first zero byte). Returns 1 when none can be read (number untouched), 0 when
// it fills the whole text, else the 1-based position of the first byte after it.
int ParseWholeInt(const std::string& text, int& number);

// Like GetField, then ParseWholeInt; true only when the value is a whole integer.
bool GetIntField(const FormData& form, const std::string& name, int& number);

// Every value of `name`, in request order.
std::vector<std::string> AllValues(const FormData& form, const std::string& name);
