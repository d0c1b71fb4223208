// The action "setdefs": one line per checked option, in the file's fixed order.
#include "config/save_search_defaults.h"

#include <optional>
#include <string>

#include "app/app_state.h"
#include "fileio/line_safety.h"
#include "config/search_options.h"
#include "fileio/text_file.h"

namespace {

std::optional<std::string> TextLine(const SearchOption& option, const std::string& value) {
  // A line break would end the line early and let the rest pose as a key.
  if (HoldsLineBreakOrZero(value)) return std::nullopt;
  return std::string(option.key) + "=" + value + std::string(option.suffix);
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

// The line that the form asks for the option, if any.
std::optional<std::string> OptionLine(const SearchOption& option, const FormData& form) {
  std::string value;
  if (!GetField(form, IncludeName(option), value)) return std::nullopt;
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

// The file to write: the form's "ini" when posted, even empty, else the selected one.
std::string TargetFile(const AppState& state) {
  std::string target = state.currentConfig;
  GetField(state.form, "ini", target);
  return target;
}

// Opens target empty for writing; a name that would not reach the file intact is refused.
bool OpenForWriting(TextFile& file, const std::string& target) {
  if (HoldsLineBreakOrZero(target)) return false;
  file.SetPath(target);
  file.OpenWrite();
  return TakeFileError() == 0;
}

}  // namespace

void SaveSearchDefaults(AppState& state) {
  const std::string target = TargetFile(state);
  TextFile file;
  if (!OpenForWriting(file, target)) {
    state.messages.push_back("Error creating file " + target);
    return;
  }
  for (const SearchOption* option : SearchOptionsInFileOrder()) {
    if (const auto line = OptionLine(*option, state.form)) file.WriteLine(*line);
  }
  file.Close();
  state.messages.push_back(TakeFileError() != 0 ? "Error writing file " + target
                                                : "Search defaults was saved successfully");
}
