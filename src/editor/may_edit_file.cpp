// Which file names may be edited or created through the utility.
#include "editor/may_edit_file.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// A zero byte would cut the path short; a line break would split a line of a
// line-based file the name is written into.
bool HoldsUnsafeByte(const std::string& name) {
  return name.find_first_of(std::string("\0\r\n", 3)) != std::string::npos;
}

}  // namespace

bool MayEditFile(const std::string& name) {
  if (name.empty() || Contains(name, "../") || HoldsUnsafeByte(name)) return false;
  if (name.front() != '/') return true;
  return Contains(name, "tovimarqdata");
}

const char kRefusalNote[] =
    "You can not edit files located outside the <i>tovimarqdata</i> directory "
    "using this configuration utility. Upload those files via FTP instead.";
