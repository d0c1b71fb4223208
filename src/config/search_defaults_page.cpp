// The body of the search defaults page: the form editdef, one row per option.
#include "config/search_defaults_page.h"

#include "app/app_state.h"
#include "config/config_text.h"
#include "config/search_options.h"
#include "fileio/directory_scan.h"
#include "history/change_display.h"
#include "history/version_guard.h"
#include "html/shared_pieces.h"

namespace {

void WriteIncludeBox(PageWriter& out, const std::string& name, bool checked) {
  out.WriteString("<input type=\"checkbox\" name=\"").WriteString(name);
  out.WriteString("\" id=\"").WriteString(name);
  out.WriteString(checked ? "\" value=\"\" checked>" : "\" value=\"\">");
}

// The option's bold name is the label of its include box (a click on it ticks
// the box) and names the value control for assistive technology.
void WriteOptionLabel(PageWriter& out, const SearchOption& option) {
  const std::string box = IncludeName(option);
  out.WriteString("<label for=\"").WriteString(box).WriteString("\" id=\"").WriteString(box);
  out.WriteString("-label\"><b>").WriteString(option.label).WriteString("</b></label>");
}

// " aria-labelledby=...": the value control of `option` is named by its label.
void WriteNamedByLabel(PageWriter& out, const SearchOption& option) {
  out.WriteString(" aria-labelledby=\"").WriteString(IncludeName(option)).WriteString("-label\"");
}

// A value check box is labelled by its caption, which a click ticks it by too.
void WriteCaptionedCheckBox(PageWriter& out, const SearchOption& option, bool checked) {
  out.WriteString("<label><input type=\"checkbox\" name=\"").WriteString(option.name);
  out.WriteString(checked ? "\" value=\"\" checked> " : "\" value=\"\"> ");
  out.WriteString(option.caption).WriteString("</label>");
}

void WriteTextInput(PageWriter& out, const SearchOption& option, const std::string& value) {
  out.WriteString("<input type=\"text\" name=\"").WriteString(option.name).WriteString("\"");
  WriteNamedByLabel(out, option);
  out.WriteString(" size=").WriteNumber(option.size);
  out.WriteString(" maxlength=").WriteNumber(option.maxLength);
  out.WriteString(" value=\"").WriteValue(value).WriteString("\">");
}

void WriteOption(PageWriter& out, const std::string& value, bool selected,
                 const std::string& text) {
  out.WriteString("<option value=\"").WriteValue(value);
  out.WriteString(selected ? "\" selected>" : "\">");
  out.WriteValue(text).WriteString("</option>\n");
}

// A language file is a file (not a directory) named "<language>.tvl".
bool IsLanguageFile(const DirectoryScan& scan) {
  const std::string& name = scan.name;
  const std::size_t length = kLanguageExtension.size();
  return (scan.attributes & kDirectoryAttribute) == 0 && name.size() > length &&
         name.compare(name.size() - length, length, kLanguageExtension) == 0;
}

// One option per language file of the working directory, in directory order,
// posting the file's exact name without the extension. The file named by
// LANGUAGE is selected in any letter case, except directly after another
// selected one.
void WriteLanguageOptions(PageWriter& out, const std::string& language) {
  const std::string wanted = ToUpperAscii(language);
  bool previousSelected = false;
  DirectoryScan scan;
  for (int result = scan.FindFirst("./*.*"); result == 0; result = scan.FindNext()) {
    if (!IsLanguageFile(scan)) continue;
    const bool selected = !previousSelected && ToUpperAscii(scan.name) == wanted;
    const std::string language =
        scan.name.substr(0, scan.name.size() - kLanguageExtension.size());
    WriteOption(out, language, selected, language);
    previousSelected = selected;
  }
}

int ShownNumber(const SearchOption& option, const SearchConfig& config) {
  const int value = config.*option.number;
  return option.anyNonZeroIsOne ? (value != 0 ? 1 : 0) : value;
}

void WriteSelect(PageWriter& out, const SearchOption& option, const SearchConfig& config) {
  out.WriteString("<select name=\"").WriteString(option.name).WriteString("\"");
  WriteNamedByLabel(out, option);
  out.WriteString(">\n");
  if (option.control == OptionControl::kLanguageSelect) {
    WriteLanguageOptions(out, config.*option.text);
  } else {
    const int shown = ShownNumber(option, config);
    for (const OptionChoice& choice : option.choices) {
      WriteOption(out, choice.formValue, choice.fieldValue == shown, choice.label);
    }
  }
  out.WriteString("</select>");
}

void WriteRangeNote(PageWriter& out, const NumberRange& range) {
  out.WriteString("\n<br>(must be in range ").WriteNumber(range.lowest);
  out.WriteString("..").WriteNumber(range.highest).WriteString(")");
}

void WriteValueControl(PageWriter& out, const SearchOption& option,
                       const SearchConfig& config) {
  switch (option.control) {
    case OptionControl::kLanguageSelect:
    case OptionControl::kSelect: WriteSelect(out, option, config); break;
    case OptionControl::kText: WriteTextInput(out, option, config.*option.text); break;
    case OptionControl::kNumber:
      WriteTextInput(out, option, std::to_string(config.*option.number));
      WriteRangeNote(out, option.range);
      break;
    case OptionControl::kCheckBox:
      WriteCaptionedCheckBox(out, option, config.*option.number != 0);
      break;
  }
}

void WriteOptionRow(PageWriter& out, const SearchOption& option, const SearchConfig& config) {
  out.WriteString("<tr>\n<td valign=\"top\">");
  WriteIncludeBox(out, IncludeName(option), config.present[option.field]);
  out.WriteString("</td>\n<td valign=\"top\">");
  WriteOptionLabel(out, option);
  out.WriteString("<br>\n");
  WriteValueControl(out, option, config);
  out.WriteString(option.wideHelp ? "</td>\n<td valign=\"top\" width=\"99%\">"
                                  : "</td>\n<td valign=\"top\">");
  out.WriteString(option.help).WriteString("</td>\n</tr>\n");
}

void WriteIntroduction(PageWriter& out, const AppState& state) {
  out.WriteString("<tr>\n<td nowrap>\n");
  WriteSelectedConfig(out, state.currentConfig);
  out.WriteString("</td>\n</tr>\n");
  out.WriteString(
      "<tr>\n<td><b>Check an option to include its value in the configuration file.\n"
      "The options that are not checked will not be included.</b>\n"
      "The search engine uses these options when the search form does not give the\n"
      "corresponding fields; when neither the form nor the configuration file gives a\n"
      "value, it falls back to its built-in defaults. Files and directories may be given\n"
      "as absolute paths or relative to the tovimarqdata subdirectory of the engine's\n"
      "root directory.</td>\n</tr>\n");
}

void WriteForm(PageWriter& out, const AppState& state) {
  out.WriteString("<tr>\n<td>\n");
  WriteScriptedFormStart(out, "editdef", state.programName);
  out.WriteString(
      "<input type=\"hidden\" name=\"target\" value=\"main\">\n"
      "<table width=\"100%\" cellspacing=0 cellpadding=6>\n");
  for (const SearchOption& option : SearchOptions()) {
    WriteOptionRow(out, option, state.searchConfig);
  }
  out.WriteString(
      "</table>\n"
      "<table align=\"center\">\n<tr>\n"
      "<td><input type=\"button\" name=\"save\" value=\"Save changes\" "
      "onClick=\"feditdef();\"></td>\n"
      "<td><input type=\"reset\" value=\"Reset form\"></td>\n"
      "</tr>\n</table>\n"
      "<input type=\"hidden\" name=\"ini\" value=\"");
  out.WriteValue(state.currentConfig);
  out.WriteString("\">\n");
  WriteVersionField(out, state.searchConfig.version);
  out.WriteString(
      "<input type=\"hidden\" name=\"act\" value=\"setdefs\">\n"
      "</form>\n</td>\n</tr>\n");
}

void WriteReturnRow(PageWriter& out, const AppState& state) {
  out.WriteString("<tr>\n<td align=\"center\">\n");
  WriteMainMenuLink(out, state.programName);
  out.WriteString("</td>\n</tr>\n</table>\n");
}

}  // namespace

void RenderSearchDefaultsPage(PageWriter& out, const AppState& state) {
  WriteLastChangeLine(out, state.programName, state.currentConfig, 1);
  WriteIntroduction(out, state);
  WriteForm(out, state);
  WriteReturnRow(out, state);
}
