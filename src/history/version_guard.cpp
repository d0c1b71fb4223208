// Comparing the posted version with the file, and the message of a refused save.
#include "history/version_guard.h"

#include "app/app_state.h"
#include "fileio/content_id.h"
#include "history/change_history.h"
#include "history/change_display.h"

void WriteVersionField(PageWriter& out, const std::string& id) {
  out.WriteString("<input type=\"hidden\" name=\"").WriteString(kVersionField);
  out.WriteString("\" value=\"").WriteValue(id).WriteString("\">\n");
}

std::string CurrentVersionOf(const std::string& file) {
  std::string id;
  return ReadContentId(file, id) ? id : std::string(kNoContent);
}

bool PostedVersionIsCurrent(AppState& state, const std::string& file) {
  std::string posted;
  const std::string current = CurrentVersionOf(file);
  if (GetField(state.form, kVersionField, posted) && posted == current) return true;
  std::string message = file + " was changed";
  // Only a recorded change that led to the file as it stands names who made it.
  const std::optional<Change> last = ChangeHistory().LastChangeOf(file);
  if (last && last->after == current) {
    message += " by " + last->user + " on " + DisplayTime(last->time);
  }
  state.messages.push_back(message + " after this page was shown; your change was not saved.");
  return false;
}

void RedrawPostedForm(AppState& state, const std::string& target) {
  state.redrawPosted = true;
  state.form.erase("target");
  state.form.emplace("target", target);
}
