// The fixed script blocks that the frame writes into the head of three pages.
#include "html/scripts.h"

void WriteConfigSelectorScript(PageWriter& out, const AppState&) {
  out.WriteScriptStart();
  out.WriteString(
      "function fselini() {\n"
      " var list = document.forms[\"selini\"].elements[\"ini\"];\n"
      " var initial = -1;\n"
      " for (var i = 0; i < list.options.length; i++) {\n"
      "  if (list.options[i].defaultSelected) { initial = i; break; }\n"
      " }\n"
      " if (list.selectedIndex != initial) document.forms[\"selini\"].submit();\n"
      "}\n");
  out.WriteScriptEnd();
}

void WriteConfigManagementScript(PageWriter& out, const AppState&) {
  out.WriteScriptStart();
  out.WriteString(
      "function fcopyini() {\n"
      " var form = document.forms[\"mconf\"];\n"
      " if (form.elements[\"newini\"].value == \"\") {\n"
      "  alert(\"You did not specify a new configuration file name\");\n"
      "  return;\n"
      " }\n"
      " form.elements[\"act\"].value = \"copyini\";\n"
      " form.submit();\n"
      "}\n"
      "function fdelini() {\n"
      " var form = document.forms[\"mconf\"];\n"
      " var list = form.elements[\"ini\"];\n"
      " if (list.options.length < 2) {\n"
      "  alert(\"You must leave at least one configuration file\");\n"
      "  return;\n"
      " }\n"
      " var name = list.options[list.selectedIndex].text;\n"
      " if (confirm(\"You are about to remove the configuration \\\"\" + name +\n"
      "             \"\\\" from the list. Its file stays on disk.\\n\\nClick OK to continue\")) {\n"
      "  form.elements[\"act\"].value = \"delini\";\n"
      "  form.submit();\n"
      " }\n"
      "}\n");
  out.WriteScriptEnd();
}

void WriteLeaveGuard(PageWriter& out) {
  out.WriteString(
      "var fsaving = false;\n"
      "function fguardleaving(formName, changed) {\n"
      " window.addEventListener(\"beforeunload\", function (event) {\n"
      "  var form = document.forms[formName];\n"
      "  if (fsaving || !form || !changed(form)) return;\n"
      "  event.preventDefault();\n"
      "  event.returnValue = \"\";\n"
      " });\n"
      "}\n");
}

// Leaving the editor with unsaved changes asks first; the two save buttons
// leave through feditor, which carries the changes along.
void WriteEditorScript(PageWriter& out, const AppState&) {
  out.WriteScriptStart();
  WriteLeaveGuard(out);
  out.WriteString(
      "function feditor(target) {\n"
      " var form = document.forms[\"editor\"];\n"
      " form.elements[\"target\"].value = target;\n"
      " fsaving = true;\n"
      " form.submit();\n"
      "}\n"
      "fguardleaving(\"editor\", function (form) {\n"
      " var text = form.elements[\"text\"];\n"
      " return text.value != text.defaultValue;\n"
      "});\n");
  out.WriteScriptEnd();
}
