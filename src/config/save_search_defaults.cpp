// The action "setdefs": the checked options written into the configuration file,
// every line the page does not manage kept in its place.
#include "config/save_search_defaults.h"

#include <unistd.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/own_files.h"
#include "app/utility_state.h"
#include "config/config_reader.h"
#include "config/search_options.h"
#include "fileio/line_safety.h"
#include "fileio/text_file.h"
#include "history/version_guard.h"

namespace {

std::optional<std::string> TextLine(const SearchOption& option, const std::string& value) {
  // A line break would end the line early and let the rest pose as a key.
  if (HoldsLineBreakOrZero(value)) return std::nullopt;
  // The reader decodes most text values: the line is written so that it reads
  // back as the value posted, "+" and "%" included.
  return ConfigLine(option.key, value + std::string(option.suffix));
}

std::optional<std::string> IntegerLine(const SearchOption& option, const std::string& value) {
  int number = 0;
  if (ParseWholeInt(value, number) != 0) return std::nullopt;
  return std::string(option.key) + "=" + std::to_string(ClampToRange(number, option.range));
}

// Keywords are compared exactly: the page posts them in upper case.
std::optional<std::string> KeywordLine(const SearchOption& option, const std::string& value) {
  for (const OptionChoice& choice : option.choices) {
    if (value == choice.formValue) return std::string(choice.fileLine);
  }
  return std::nullopt;
}

// The line that the posted value gives the included option, if the value is usable.
std::optional<std::string> IncludedLine(const SearchOption& option, const FormData& form) {
  std::string value;
  const bool hasValue = GetField(form, option.name, value);
  if (!hasValue && option.save != SaveRule::kFlag) return std::nullopt;
  switch (option.save) {
    case SaveRule::kText: return TextLine(option, value);
    case SaveRule::kInteger: return IntegerLine(option, value);
    case SaveRule::kKeyword: return KeywordLine(option, value);
    case SaveRule::kFlag: return std::string(option.key) + (hasValue ? "=YES" : "=NO");
  }
  return std::nullopt;
}

// What the save does with the lines of one option.
struct OptionUpdate {
  enum Kind {
    kRemove,   // not included: its lines go
    kReplace,  // its first line becomes `line`, later ones go
    kKeep,     // included with a value that gives no line: its lines stay as they are
  } kind;
  std::string line;
};

OptionUpdate UpdateOf(const SearchOption& option, const FormData& form) {
  if (form.find(IncludeName(option)) == form.end()) return {OptionUpdate::kRemove, ""};
  const std::optional<std::string> line = IncludedLine(option, form);
  if (!line) return {OptionUpdate::kKeep, ""};
  return {OptionUpdate::kReplace, *line};
}

// The new content: every line of no page option stays in its place; an option's
// first line gives way to its new line and its later lines go, since the last
// one read would override the saved value; options new to the file follow at
// the end in file order.
std::vector<std::string> MergedLines(const std::vector<std::string>& current,
                                     const FormData& form) {
  std::map<ConfigField, OptionUpdate> updates;
  for (const SearchOption& option : SearchOptions()) {
    updates.emplace(option.field, UpdateOf(option, form));
  }
  std::vector<std::string> merged;
  for (const std::string& line : current) {
    const std::optional<ConfigField> field = ConfigLineField(line);
    const auto update = field ? updates.find(*field) : updates.end();
    if (update == updates.end() || update->second.kind == OptionUpdate::kKeep) {
      merged.push_back(line);
    } else if (update->second.kind == OptionUpdate::kReplace) {
      merged.push_back(update->second.line);
      update->second.kind = OptionUpdate::kRemove;
    }
  }
  for (const SearchOption* option : SearchOptionsInFileOrder()) {
    const OptionUpdate& update = updates.at(option->field);
    if (update.kind == OptionUpdate::kReplace) merged.push_back(update.line);
  }
  return merged;
}

// "KEY was limited to N", one line for each included number that the save
// clamped into its range.
std::string LimitNotes(const FormData& form) {
  std::string notes;
  for (const SearchOption& option : SearchOptions()) {
    int number = 0;
    std::string value;
    if (option.save != SaveRule::kInteger || form.find(IncludeName(option)) == form.end() ||
        !GetField(form, option.name, value) || ParseWholeInt(value, number) != 0) {
      continue;
    }
    const int saved = ClampToRange(number, option.range);
    if (saved == number) continue;
    notes += "\n" + std::string(option.key) + " was limited to " + std::to_string(saved);
  }
  return notes;
}

// The file to write: the form's "ini" when posted, even empty, else the selected one.
std::string TargetFile(const AppState& state) {
  std::string target = state.currentConfig;
  GetField(state.form, "ini", target);
  return target;
}

// The lines of the target as they stand: none for a file not made yet. False
// when an existing file cannot be read whole, so that no line of it is lost:
// a line as long as the reader delivers may have been cut short.
bool ReadCurrentLines(const std::string& target, std::vector<std::string>& lines) {
  if (access(target.c_str(), F_OK) != 0) return true;
  bool whole = true;
  const int error = ReadConfigLines(target, [&lines, &whole](const std::string& line) {
    whole = line.size() < kMaxLineLength;
    lines.push_back(line);
    return whole;
  });
  return error == 0 && whole;
}

// The page shows the posted choices again: the record the saved lines would
// give, over the file as it stands now.
void RedrawPostedChoices(AppState& state, const std::string& target,
                         const std::vector<std::string>& lines) {
  SearchConfig& config = state.searchConfig;
  config.present.fill(false);
  AssignSearchDefaults(config);
  for (const std::string& line : lines) ParseConfigLine(config, line);
  config.version = CurrentVersionOf(target);
  state.configLoaded = true;
  RedrawPostedForm(state, "sdef");
}

}  // namespace

void SaveSearchDefaults(AppState& state) {
  const std::string target = TargetFile(state);
  std::vector<std::string> current;
  // Only a known configuration is written, never through a name that would not
  // reach the file system intact, and never over the utility's own files, which
  // only a state file edited by hand can list.
  if (!IsKnownConfig(state, target) || HoldsLineBreakOrZero(target) ||
      IsOwnFile(target, state.programName)) {
    state.messages.push_back("Error creating file " + target);
    return;
  }
  // A file that cannot be read whole is left alone, and the choices stay on the page.
  if (!ReadCurrentLines(target, current)) {
    state.messages.push_back("Error creating file " + target);
    RedrawPostedChoices(state, target, MergedLines({}, state.form));
    return;
  }
  const std::vector<std::string> lines = MergedLines(current, state.form);
  if (!PostedVersionIsCurrent(state, target)) {
    RedrawPostedChoices(state, target, lines);
    return;
  }
  const int error = ReplaceFile(target, [&lines](TextFile& file) {
    for (const std::string& line : lines) file.WriteLine(line);
  });
  if (error != 0) {
    state.messages.push_back(SaveFailureMessage(target, error));
    RedrawPostedChoices(state, target, lines);
    return;
  }
  state.messages.push_back("Search defaults was saved successfully" + LimitNotes(state.form));
}
