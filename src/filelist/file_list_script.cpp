// The two script blocks of the file list page: form checks in the head, the remembered
// virtual path at the end.
#include "filelist/file_list_page.h"

namespace {

// The messages are shown to the user as they stand here. The filter of the
// entry table finds each row through its removal box and matches the text of
// its local and virtual path, in any letter case.
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
 var boxes = fdelboxes();
 var count = 0;
 for (var i = 0; i < num; i++) {
  if (boxes[i].checked) count++;
 }
 if (count == 0) {
  alert("No entries are checked.");
  return;
 }
 if (confirm("You are about to delete " + count + " entr" + (count == 1 ? "y" : "ies") + " from the File List.\n\nClick OK to continue"))
  form.submit();
}
function fdelboxes() {
 var boxes = document.forms["delchk"].elements["del"];
 return boxes.length === undefined ? [boxes] : boxes;
}
var fentries = null;
function fpathtext(cell) {
 var text = "";
 var nobr = cell.getElementsByTagName("nobr")[0];
 for (var node = nobr.firstChild; node; node = node.nextSibling) {
  if (node.nodeType == 3) text += node.nodeValue;
 }
 return text;
}
function fentryrows() {
 if (fentries != null) return fentries;
 var boxes = fdelboxes();
 fentries = [];
 for (var i = 0; i < boxes.length; i++) {
  var row = boxes[i].parentNode.parentNode;
  var text = fpathtext(row.cells[1]) + "\n" + fpathtext(row.cells[3]);
  fentries.push({ row: row, box: boxes[i], text: text.toLowerCase(), shown: true });
 }
 return fentries;
}
var ffilterwait = null;
function ffilter() {
 clearTimeout(ffilterwait);
 ffilterwait = setTimeout(fapplyfilter, fentryrows().length > 2000 ? 200 : 0);
}
function fapplyfilter() {
 var wanted = document.getElementById("filter").value.toLowerCase();
 var entries = fentryrows();
 var shown = 0;
 var allTicked = true;
 for (var i = 0; i < entries.length; i++) {
  var entry = entries[i];
  var show = entry.text.indexOf(wanted) != -1;
  if (show != entry.shown) {
   entry.row.style.display = show ? "" : "none";
   entry.shown = show;
  }
  if (show) {
   shown++;
   if (!entry.box.checked) allTicked = false;
  }
 }
 document.getElementById("shown").textContent = shown + " of " + entries.length + " entries shown";
 document.getElementById("tickshown").checked = shown > 0 && allTicked;
}
function ftickshown() {
 var tick = document.getElementById("tickshown").checked;
 var entries = fentryrows();
 for (var i = 0; i < entries.length; i++) {
  if (entries[i].shown) entries[i].box.checked = tick;
 }
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
