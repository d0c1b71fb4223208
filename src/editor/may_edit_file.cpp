// Which file names may be edited or created through the utility.
#include "editor/may_edit_file.h"

#include "fileio/line_safety.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

bool MayEditFile(const std::string& name) {
  if (name.empty() || Contains(name, "../") || HoldsLineBreakOrZero(name)) return false;
  if (name.front() != '/') return true;
  return Contains(name, "tovimarqdata");
}

const char kRefusalNote[] =
    "You can not edit files located outside the <i>tovimarqdata</i> directory "
    "using this configuration utility. Upload those files via FTP instead.";
