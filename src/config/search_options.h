// The option rows of the search defaults: the page, its script and the save
// action all read this one table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/search_config.h"

// The language files of the engine are named "<language>.tvl"; the page lists
// them without it and the save action adds it again.
inline constexpr std::string_view kLanguageExtension = ".tvl";

// The value control that a row shows on the page.
enum class OptionControl { kLanguageSelect, kText, kNumber, kSelect, kCheckBox };

// How the save action turns the posted value into a line of the file.
enum class SaveRule {
  kText,     // key, "=", the value as posted and the row's suffix
  kInteger,  // key, "=" and the whole integer clamped into the row's range
  kKeyword,  // the line of the choice whose form value was posted
  kFlag,     // key and "=YES" when the value check box was posted, else "=NO"
};

// One option of a select: what the page posts, shows and selects, and the line
// the save action writes for it.
struct OptionChoice {
  const char* formValue;
  const char* label;
  int fieldValue;
  const char* fileLine;
};

struct SearchOption {
  const char* name;  // the value control; the include check box is "is" + name
  ConfigField field;
  const char* label;       // bold label on the page
  const char* scriptName;  // how feditdef names the option in its change list
  const char* help;        // help paragraph (markup)
  bool wideHelp = false;   // the help cell takes the row's spare width

  OptionControl control = OptionControl::kText;
  std::string SearchConfig::*text = nullptr;  // kText, kLanguageSelect
  int SearchConfig::*number = nullptr;        // kNumber, kSelect, kCheckBox
  int size = 0;                               // kText, kNumber
  int maxLength = 0;                          // kText, kNumber
  NumberRange range{};                        // kNumber, and kInteger saving
  std::vector<OptionChoice> choices{};        // kSelect
  // kSelect: the field is shown as 0 or 1, any non-zero value counting as 1.
  bool anyNonZeroIsOne = false;
  const char* caption = nullptr;        // kCheckBox: text after the box
  const char* checkedText = nullptr;    // kCheckBox: feditdef's value when checked
  const char* uncheckedText = nullptr;  // kCheckBox: ... and when not checked

  SaveRule save = SaveRule::kText;
  const char* key = nullptr;  // kText, kInteger, kFlag
  std::string_view suffix{};  // kText: appended to the posted value
  int fileOrder = 0;          // 1-based position of the option's line in the file
};

// The 23 rows in page order.
const std::vector<SearchOption>& SearchOptions();

// The rows in the order in which their lines are written to the file.
std::vector<const SearchOption*> SearchOptionsInFileOrder();

// Name of the row's include check box.
std::string IncludeName(const SearchOption& option);

// Form element number of the row's value control (its check box is one less).
int ValueElementNumber(const SearchOption& option);
