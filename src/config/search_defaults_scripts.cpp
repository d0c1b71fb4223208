// The script of the search defaults page: feditdef, which lists the changes before saving.
#include "app/app_state.h"
#include "config/search_defaults_page.h"
#include "config/search_options.h"
#include "html/scripts.h"

namespace {

// The option names, and the words for the value check boxes, by element number.
void WriteOptionTables(PageWriter& out) {
  out.WriteString(
      "var optionNames = new Array();\n"
      "var checkedTexts = new Array();\n"
      "var uncheckedTexts = new Array();\n"
      "var ranges = new Array();\n");
  for (const SearchOption& option : SearchOptions()) {
    const int element = ValueElementNumber(option);
    out.WriteString("optionNames[").WriteNumber(element).WriteString("] = \"");
    out.WriteString(option.scriptName).WriteString("\";\n");
    if (option.control == OptionControl::kNumber) {
      out.WriteString("ranges[").WriteNumber(element).WriteString("] = [");
      out.WriteNumber(option.range.lowest).WriteString(", ");
      out.WriteNumber(option.range.highest).WriteString("];\n");
    }
    if (option.control != OptionControl::kCheckBox) continue;
    out.WriteString("checkedTexts[").WriteNumber(element).WriteString("] = \"");
    out.WriteString(option.checkedText).WriteString("\";\n");
    out.WriteString("uncheckedTexts[").WriteNumber(element).WriteString("] = \"");
    out.WriteString(option.uncheckedText).WriteString("\";\n");
  }
}

// Every "is" check box is followed by its option's value control; a change of
// the box, or of the control of a box that stays checked, is listed. Leaving
// the page with any control changed asks first, as the editor does.
const char kChangeFunctions[] =
    "function fdefaultindex(list) {\n"
    " for (var i = 0; i < list.options.length; i++) {\n"
    "  if (list.options[i].defaultSelected) return i;\n"
    " }\n"
    " return -1;\n"
    "}\n"
    "function fchanged(element) {\n"
    " if (element.type == \"checkbox\") return element.checked != element.defaultChecked;\n"
    " if (element.type == \"select-one\") return element.selectedIndex != fdefaultindex(element);\n"
    " return element.value != element.defaultValue;\n"
    "}\n"
    // A number is saved clamped into its range, and the list names what is saved.
    "function fnewvalue(element, number) {\n"
    " if (element.type == \"checkbox\") {\n"
    "  return element.checked ? checkedTexts[number] : uncheckedTexts[number];\n"
    " }\n"
    " if (element.type == \"select-one\") {\n"
    "  return element.selectedIndex < 0 ? \"\" : element.options[element.selectedIndex].text;\n"
    " }\n"
    " if (ranges[number]) {\n"
    "  var value = parseInt(element.value, 10);\n"
    "  return String(Math.min(Math.max(value, ranges[number][0]), ranges[number][1]));\n"
    " }\n"
    " return element.value;\n"
    "}\n"
    "function fformchanged(form) {\n"
    " for (var i = 0; i < form.elements.length; i++) {\n"
    "  if (fchanged(form.elements[i])) return true;\n"
    " }\n"
    " return false;\n"
    "}\n"
    "fguardleaving(\"editdef\", fformchanged);\n"
    // The save action leaves out a number that is not whole: it is refused here,
    // where it can still be mended.
    "function fwhole(element) {\n"
    " return /^[ \\t\\n\\v\\f\\r]*[+-]?[0-9]+$/.test(element.value);\n"
    "}\n"
    "function feditdef() {\n"
    " var form = document.forms[\"editdef\"];\n"
    " var changes = \"\";\n"
    " for (var i = 0; i < form.elements.length - 1; i++) {\n"
    "  var box = form.elements[i];\n"
    "  if (box.name.substring(0, 2) != \"is\") continue;\n"
    "  var number = i + 1;\n"
    "  var control = form.elements[number];\n"
    "  var name = \"\\\"\" + optionNames[number] + \"\\\"\";\n"
    "  if (box.checked && ranges[number] && !fwhole(control)) {\n"
    "   alert(name + \" must be a whole number\");\n"
    "   control.focus();\n"
    "   control.select();\n"
    "   return;\n"
    "  }\n"
    "  if (box.checked != box.defaultChecked) {\n"
    "   if (box.checked) changes += name + \" added: \" + fnewvalue(control, number) + \"\\n\";\n"
    "   else changes += name + \" removed\\n\";\n"
    "  } else if (box.checked && fchanged(control)) {\n"
    "   changes += name + \" set to: \" + fnewvalue(control, number) + \"\\n\";\n"
    "  }\n"
    "  i = number;\n"
    " }\n"
    " if (changes == \"\") {\n"
    "  alert(\"None of the options were modified.\");\n"
    "  return;\n"
    " }\n"
    " if (confirm(\"You have changed the following options:\\n\\n\" + changes +\n"
    "             \"\\nClick OK to apply the changes.\")) {\n"
    "  fsaving = true;\n"
    "  form.submit();\n"
    " }\n"
    "}\n";

}  // namespace

void WriteSearchDefaultsScript(PageWriter& out, const AppState&) {
  out.WriteScriptStart();
  WriteOptionTables(out);
  WriteLeaveGuard(out);
  out.WriteString(kChangeFunctions);
  out.WriteScriptEnd();
}

