// The two script blocks of the file list page: form checks in the head, the remembered
// virtual path at the end.
#include "filelist/file_list_page.h"

namespace {

// The messages are shown to the user as they stand here.
const char kFileListFunctions[] = R"js(function fchdir() {
 var list = document.forms["chdir"].elements["dirlist"];
 var initial = -1;
 for (var i = 0; i < list.options.length; i++) {
  if (list.options[i].defaultSelected) { initial = i; break; }
 }
 if (list.selectedIndex != initial) document.forms["chdir"].submit();
}
function fclearfiles() {
 var files = document.forms["adddir"].elements["files"];
 for (var i = 0; i < files.options.length; i++) files.options[i].selected = false;
}
function fvirtual() {
 var field = document.forms["adddir"].elements["rempath"];
 if (field.value.charAt(0) == "/" || field.value.indexOf("://") != -1) return true;
 alert("You did not specify a valid virtual path");
 field.focus();
 field.select();
 return false;
}
function fcurdir() {
 return document.forms["adddir"].elements["curdir"].value;
}
function fpathkey() {
 return "tvqconf.rempath:" + fcurdir();
}
function fsubmitadd(act) {
 var form = document.forms["adddir"];
 try { localStorage.setItem(fpathkey(), form.elements["rempath"].value); } catch (e) {}
 form.elements["act"].value = act;
 form.submit();
}
function faddfolder(question, act) {
 if (!fvirtual()) return;
 if (confirm(question)) {
  fclearfiles();
  fsubmitadd(act);
 }
}
function fadddir1() {
 faddfolder("You are about to add the directory \"" + fcurdir() + "\" to the File List as a single entry.\n\nClick OK to continue", "adddir1");
}
function fadddir3() {
 faddfolder("You are about to add the directory \"" + fcurdir() + "\" and all its subdirectories to the File List as a single entry.\n\nClick OK to continue", "adddir3");
}
function fadddir2() {
 faddfolder("You are about to add all files from the directory \"" + fcurdir() + "\" to the File List.\n\nClick OK to continue", "adddir2");
}
function faddfiles() {
 if (!fvirtual()) return;
 var files = document.forms["adddir"].elements["files"];
 var count = 0;
 for (var i = 0; i < files.options.length; i++) {
  if (files.options[i].selected) count++;
 }
 if (count == 0) {
  alert("None of the files are selected.");
  return;
 }
 if (confirm("You are about to add " + count + " file" + (count == 1 ? "" : "s") + " from the directory \"" + fcurdir() + "\" to the File List.\n\nClick OK to continue"))
  fsubmitadd("addfiles");
}
function fdelall() {
 if (confirm("You are about to delete all entries from the File List.\n\nClick OK to continue"))
  document.forms["delall"].submit();
}
function fdelchk(num) {
 var form = document.forms["delchk"];
 var count = 0;
 for (var i = 0; i < num; i++) {
  if (form.elements[i].checked) count++;
 }
 if (count == 0) {
  alert("No entries are checked.");
  return;
 }
 if (confirm("You are about to delete " + count + " entr" + (count == 1 ? "y" : "ies") + " from the File List.\n\nClick OK to continue"))
  form.submit();
}
)js";

}  // namespace

void WriteFileListScript(PageWriter& out, const AppState&) {
  out.WriteScriptStart();
  out.WriteString(kFileListFunctions);
  out.WriteScriptEnd();
}

void WriteVirtualPathScript(PageWriter& out, const AppState&) {
  out.WriteScriptStart();
  out.WriteString(
      "(function () {\n"
      " var field = document.forms[\"adddir\"].elements[\"rempath\"];\n"
      " if (field.value != \"\") return;\n"
      " try { field.value = localStorage.getItem(fpathkey()) || \"\"; } catch (e) {}\n"
      "})();\n");
  out.WriteScriptEnd();
}
