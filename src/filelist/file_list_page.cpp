// The file list page: directory browser, add form, entry table and removal forms.
#include "filelist/file_list_page.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "app/app_state.h"
#include "fileio/line_safety.h"
#include "fileio/text_file.h"
#include "filelist/entry_existence.h"
#include "filelist/file_list_name.h"
#include "filelist/folder_scan.h"
#include "history/change_display.h"
#include "history/version_guard.h"
#include "html/escape.h"
#include "html/shared_pieces.h"

namespace {

// Each level of the folder list is indented by this many "&nbsp;".
constexpr int kIndentStep = 3;
// After a hint, the next one comes no earlier than this many input bytes on.
constexpr std::size_t kHintSpacing = 25;

// The start of a cell in each row colour.
constexpr std::string_view kCellStarts[] = {"<td bgcolor=\"#ffffff\"", "<td bgcolor=\"#e0e0e0\""};

const char kWarningMark[] = "<font color=\"#a00000\"><b>*</b></font>\n";

const char* KindLabel(int kind) {
  switch (kind) {
    case kKindDir: return " Dir";
    case kKindTree: return " Tree";
    default: return " File";
  }
}

// The first "/" or "\\" from `from` on.
std::size_t NextSeparator(std::string_view text, std::size_t from) {
  for (; from < text.size(); ++from) {
    if (text[from] == '/' || text[from] == '\\') return from;
  }
  return std::string_view::npos;
}

// Every form of the page returns to the directory browser.
void WriteFormStart(PageWriter& out, const char* name, const AppState& state) {
  WriteScriptedFormStart(out, name, state.programName, "#dirlist");
}

void WriteHidden(PageWriter& out, const char* name, const std::string& value) {
  out.WriteString(" <input type=\"hidden\" name=\"").WriteString(name);
  out.WriteString("\" value=\"").WriteValue(value).WriteString("\">\n");
}

void WriteOption(PageWriter& out, std::string_view value, bool selected, int indent,
                 std::string_view text) {
  out.WriteString(" <option value=\"").WriteValue(value).WriteString("\"");
  if (selected) out.WriteString(" selected");
  out.WriteString(">");
  for (int i = 0; i < indent; ++i) out.WriteString("&nbsp;");
  out.WriteValue(text).WriteString("</option>\n");
}

// Says, below the list's name, why changes to the list cannot be saved.
void WriteUnwritableNote(PageWriter& out, const AppState& state) {
  const FileListName verdict = CheckFileListName(state, state.fileListName);
  if (verdict == FileListName::kWritable) return;
  out.WriteString("<tr>\n<td>\n <b>").WriteValue(FileListNameReason(verdict));
  out.WriteString("</b>\n</td>\n</tr>\n");
}

void WriteHeadingRows(PageWriter& out, const AppState& state) {
  out.WriteString(
      "<a name=\"dirlist\"></a>\n<tr>\n<td nowrap>\n <font color=\"#800000\">Currently "
      "selected configuration file:</font> <b>");
  out.WriteValue(state.currentConfig);
  out.WriteString(
      "</b>\n</td>\n</tr>\n<tr>\n<td nowrap>\n <font color=\"#800000\">File List in "
      "editing:</font> <b>");
  out.WriteValue(state.fileListName);
  out.WriteString("</b>\n</td>\n</tr>\n");
  WriteUnwritableNote(out, state);
  out.WriteString(
      "<tr>\n<td>\n\n<table width=100% border=0 cellspacing=0 "
      "cellpadding=4>\n<tr>\n<td colspan=3>\n Current directory: <b>");
  out.WriteValue(state.browseDir);
  out.WriteString("</b>\n</td>\n</tr>\n<tr>\n");
}

// The root, then one option per folder on the way down to browseDir (the last
// one selected), then its sub-folders one level deeper.
void WriteFolderOptions(PageWriter& out, std::string_view browseDir,
                        const std::vector<std::string_view>& folders) {
  WriteOption(out, "/", browseDir == "/", 0, "/");
  int indent = 0;
  std::size_t componentStart = 1;
  for (std::size_t slash = browseDir.find('/', 1); slash != std::string_view::npos;
       slash = browseDir.find('/', slash + 1)) {
    indent += kIndentStep;
    WriteOption(out, browseDir.substr(0, slash), slash + 1 == browseDir.size(), indent,
                browseDir.substr(componentStart, slash - componentStart));
    componentStart = slash + 1;
  }
  indent += kIndentStep;
  std::string value(browseDir);
  for (const std::string_view folder : folders) {
    value.replace(browseDir.size(), std::string::npos, folder);
    WriteOption(out, value, false, indent, folder);
  }
}

void WriteFolderForm(PageWriter& out, const AppState& state,
                     const std::vector<std::string_view>& folders) {
  WriteFormStart(out, "chdir", state);
  out.WriteString("<td valign=\"top\">\n <label for=\"dirlist\">Directories:</label><br>\n");
  WriteHidden(out, "target", "flist");
  WriteHidden(out, "act", "chdir");
  WriteHidden(out, "fname", state.fileListName);
  // A double click on a folder opens it.
  out.WriteString(" <select name=\"dirlist\" id=\"dirlist\" size=13 onDblClick=\"fchdir();\">\n");
  WriteFolderOptions(out, state.browseDir, folders);
  out.WriteString(
      " </select><br>\n <input type=\"button\" value=\"Change directory\" "
      "onClick=\"fchdir();\">\n</td>\n</form>\n");
}

void WriteFileOptions(PageWriter& out, const std::vector<std::string_view>& files) {
  if (files.empty()) {
    out.WriteString(" <option value=\"\">&lt;No files found&gt;</option>\n");
    return;
  }
  // Each file posts its exact name: a browser trims and collapses blanks in an
  // option's text.
  for (const std::string_view file : files) WriteOption(out, file, false, 0, file);
}

void WriteAddButton(PageWriter& out, const char* caption, const char* function) {
  out.WriteString(" <input type=\"button\" value=\"").WriteString(caption);
  out.WriteString("\" onClick=\"").WriteString(function).WriteString("();\">");
}

// The real path of the folder `path` names, ending in "/"; empty when it names none
// (missing, not a folder, too long, or holding a byte no file name may hold).
std::string ExistingFolder(const std::string& path) {
  if (path.empty() || HoldsLineBreakOrZero(path)) return "";
  const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr),
                                                             &std::free);
  if (resolved == nullptr || !IsDirectory(resolved.get())) return "";
  std::string folder = resolved.get();
  if (folder.back() != '/') folder += '/';
  return folder;
}

// The address under which the web server publishes the browsed folder when it
// lies under DOCUMENT_ROOT: "/", its path below the root and a slash. Empty
// elsewhere, where the page's script offers what was last typed for the folder.
std::string PublishedPath(const AppState& state) {
  const std::string root = ExistingFolder(state.env.documentRoot.value_or(""));
  if (root.empty() || state.browseDir.compare(0, root.size(), root) != 0) return "";
  return "/" + state.browseDir.substr(root.size());
}

void WriteAddForm(PageWriter& out, const AppState& state,
                  const std::vector<std::string_view>& files) {
  WriteFormStart(out, "adddir", state);
  out.WriteString("<td valign=\"top\">\n");
  WriteHidden(out, "target", "flist");
  WriteHidden(out, "act", "");
  WriteHidden(out, "curdir", state.browseDir);
  WriteHidden(out, "fname", state.fileListName);
  out.WriteString(
      " <label for=\"files\">Files:</label><br>\n"
      " <select name=\"files\" id=\"files\" size=13 multiple>\n");
  WriteFileOptions(out, files);
  out.WriteString(
      " </select><br>\n"
      " <font size=-1>Hold&nbsp;down&nbsp;the&nbsp;<b>Ctrl</b>&nbsp;key&nbsp;to select "
      "more than one file</font>\n"
      "</td>\n<td valign=\"top\" width=99%>\n"
      " <label for=\"rempath\">Virtual path which corresponds to the current directory:</label>"
      "<br>\n"
      " <input type=\"text\" name=\"rempath\" id=\"rempath\" value=\"");
  out.WriteValue(PublishedPath(state));
  out.WriteString("\" size=40 maxlength=512");
  // Enter adds the folder as a single entry, the first of the add buttons.
  WriteEnterRuns(out, "fadddir1");
  out.WriteString(
      "><br>\n"
      " <font size=-1><div align=\"justify\">The virtual path is the address by which "
      "visitors of your site reach the directory or the files you are adding. It may be a "
      "fully qualified address, such as http://www.yoursite.com/sales, or an address "
      "relative to the root of the web server, such as /sales. Do not include file names; "
      "the path may or may not end with a slash.</div></font><br>\n");
  WriteAddButton(out, "Add the entire directory as a single entry", "fadddir1");
  out.WriteString("<font size=0><br><br></font>\n");
  WriteAddButton(out, "Add the directory with all subdirectories", "fadddir3");
  out.WriteString("<font size=0><br><br></font>\n");
  if (!files.empty()) {
    WriteAddButton(out, "Add all files from the directory", "fadddir2");
    out.WriteString("<font size=0><br><br></font>\n");
    WriteAddButton(out, "Add selected files", "faddfiles");
    out.WriteString("\n");
  }
  out.WriteString("</td>\n</tr>\n</table>\n\n</td>\n</form>\n</tr>\n<tr>\n");
}

// The fixed markup of an entry row around its values, for one row colour.
struct RowMarkup {
  // Up to the path: a folder's, a tree's and any other entry's (a file's).
  std::string dirStart;
  std::string treeStart;
  std::string fileStart;
  std::string pathToUrl;
  std::string urlToNumber;

  const std::string& Start(int kind) const {
    switch (kind) {
      case kKindDir: return dirStart;
      case kKindTree: return treeStart;
      default: return fileStart;
    }
  }
};

RowMarkup MakeRowMarkup(std::string_view cellStart) {
  const std::string cell(cellStart);
  const auto start = [&cell](int kind) {
    return std::string("<tr>\n<td><font size=-1>\n") + KindLabel(kind) +
           "&nbsp;\n</font></td>\n" + cell + "><font size=-1>\n <nobr>";
  };
  return {start(kKindDir), start(kKindTree), start(kKindFile),
          "</nobr>\n</font></td>\n" + cell + ">\n &nbsp;\n</td>\n" + cell +
              "><font size=-1>\n <nobr>",
          "</nobr>\n</font></td>\n" + cell +
              " align=\"right\">\n <input type=\"checkbox\" name=\"del\" aria-label=\"To be "
              "removed\" value=\""};
}

// One row of the entry table; returns whether it carries the warning mark.
bool WriteEntryRow(PageWriter& out, const FileListEntry& entry, std::size_t rowNumber,
                   const RowMarkup& markup, EntryExistence& existence) {
  const bool missing = !existence.Exists(rowNumber - 1);
  out.WriteString(markup.Start(entry.kind));
  if (missing) out.WriteString(kWarningMark);
  InsertBreakHints(out, entry.path);
  out.WriteString(markup.pathToUrl);
  InsertBreakHints(out, entry.url);
  out.WriteString(markup.urlToNumber);
  out.WriteNumber(static_cast<long>(rowNumber));
  out.WriteString("\">\n</td>\n</tr>\n");
  return missing;
}

// The filter of a non-empty list: a field that shows only the rows holding its
// text, their count, and a box that ticks or clears every row shown. The page's
// script does the work on the rows already drawn.
void WriteEntryFilter(PageWriter& out, std::size_t count) {
  if (count == 0) return;
  out.WriteString(
      "<p><label for=\"filter\">Show only entries containing:</label>\n"
      " <input type=\"text\" id=\"filter\" size=30 onInput=\"ffilter();\">\n"
      " <span id=\"shown\" aria-live=\"polite\">");
  out.WriteNumber(static_cast<long>(count)).WriteString(" of ");
  out.WriteNumber(static_cast<long>(count));
  out.WriteString(
      " entries shown</span><br>\n"
      " <label><input type=\"checkbox\" id=\"tickshown\" onClick=\"ftickshown();\"> "
      "Tick or clear every shown entry</label></p>\n\n");
}

void WriteEntryTable(PageWriter& out, const AppState& state, const FolderContent& browsed) {

  WriteFormStart(out, "delchk", state);
  out.WriteString("<td>\n\n<b>Files and directories Tovimarq should search in:</b>\n\n");
  WriteEntryFilter(out, state.fileList.entries().size());
  // On a narrow screen the table scrolls sideways on its own.
  out.WriteString(
      "<div class=\"scrolls\">\n"
      "<table width=100% border=0 cellspacing=0 cellpadding=1>\n<tr>\n"
      "<td width=1%></td>\n"
      "<td bgcolor=\"#e0e0e0\"><font size=-1>\n Local path\n</font></td>\n"
      "<td bgcolor=\"#e0e0e0\">\n &nbsp;\n</td>\n"
      "<td bgcolor=\"#e0e0e0\"><font size=-1>\n Virtual path\n</font></td>\n"
      "<td bgcolor=\"#e0e0e0\" align=\"right\"><font size=-2>\n To&nbsp;be<br>removed\n"
      "</font></td>\n</tr>\n");
  // The row colours alternate from white.
  const RowMarkup rowMarkups[] = {MakeRowMarkup(kCellStarts[0]), MakeRowMarkup(kCellStarts[1])};
  EntryExistence existence(state.fileList.entries(), state.browseDir, browsed);
  bool anyMissing = false;
  std::size_t rowNumber = 0;
  for (const FileListEntry& entry : state.fileList.entries()) {
    const RowMarkup& markup = rowMarkups[rowNumber % 2];
    anyMissing |= WriteEntryRow(out, entry, ++rowNumber, markup, existence);
  }
  out.WriteString("</table>\n</div>\n\n");
  if (anyMissing) {
    out.WriteString(
        "<font color=\"#a00000\"><b>* - Warning:</b></font> the file or directory does "
        "not exist\nor is not accessible.\n");
  }
}

// The removal forms also carry the version of the list as drawn: their row
// numbers hold only for that list.
void WriteRemovalFields(PageWriter& out, const char* act, const AppState& state) {
  WriteVersionField(out, state.fileList.Version());
  WriteHidden(out, "target", "flist");
  WriteHidden(out, "act", act);
  WriteHidden(out, "fname", state.fileListName);
  WriteHidden(out, "curdir", state.browseDir);
}

void WriteRemovalForms(PageWriter& out, const AppState& state) {
  const std::size_t count = state.fileList.entries().size();
  if (count == 0) {
    out.WriteString("</form>\n");
    return;
  }
  out.WriteString("<table width=100%>\n<tr>\n<td width=50% align=\"center\">\n");
  WriteRemovalFields(out, "delchk", state);
  out.WriteString(" <input type=\"button\" value=\"Remove checked\" onClick=\"fdelchk(");
  out.WriteNumber(static_cast<long>(count));
  out.WriteString(");\">\n</td>\n</form>\n");
  WriteFormStart(out, "delall", state);
  out.WriteString("<td align=\"center\">\n");
  WriteRemovalFields(out, "delall", state);
  out.WriteString(
      " <input type=\"button\" value=\"Remove all\" onClick=\"fdelall();\">\n"
      "</td>\n</form>\n</tr>\n</table>\n");
}

// The names in byte order; views are sorted, which moves no string.
std::vector<std::string_view> Sorted(const std::vector<std::string>& names) {
  std::vector<std::string_view> sorted(names.begin(), names.end());
  std::stable_sort(sorted.begin(), sorted.end());
  return sorted;
}

// The folder the browser shows: browseDir when it is an existing folder, else
// DOCUMENT_ROOT, else the working directory, else the root. Whatever the request
// named, the page then shows and posts a path of the file system as it is.
std::string BrowsedFolder(const AppState& state) {
  for (const std::string& candidate :
       {state.browseDir, state.env.documentRoot.value_or(""), std::string(".")}) {
    std::string folder = ExistingFolder(candidate);
    if (!folder.empty()) return folder;
  }
  return "/";
}

bool EntriesAreUtf8(const FileList& list) {
  return std::all_of(list.entries().begin(), list.entries().end(),
                     [](const FileListEntry& entry) { return IsUtf8(entry.path) && IsUtf8(entry.url); });
}

void WriteReturnLink(PageWriter& out, const AppState& state) {
  out.WriteString("\n</td>\n</tr>\n<tr>\n<td align=\"center\">\n <a href=\"");
  out.WriteValue(state.programName);
  out.WriteString("?target=main\"><b>Return to Main Menu</b></a>\n</td>\n</tr>\n</table>\n");
}

}  // namespace

void InsertBreakHints(PageWriter& out, std::string_view text) {
  // A separator as the last byte gets no hint.
  const std::string_view hintable = text.substr(0, text.empty() ? 0 : text.size() - 1);
  std::size_t pieceStart = 0;
  for (std::size_t separator = NextSeparator(hintable, 0); separator != std::string_view::npos;
       separator = NextSeparator(hintable, separator + kHintSpacing)) {
    out.WriteValue(text.substr(pieceStart, separator + 1 - pieceStart)).WriteString("<wbr>");
    pieceStart = separator + 1;
  }
  out.WriteValue(text.substr(pieceStart));
}

void RenderFileListPage(PageWriter& out, const AppState& state) {
  const FolderContent content = ScanFolder(state.browseDir);
  WriteLastChangeLine(out, state.programName, state.fileListName, 1);
  WriteHeadingRows(out, state);
  WriteFolderForm(out, state, Sorted(content.folders));
  WriteAddForm(out, state, Sorted(content.files));
  // The entries are the bulk of a long list's page and the last values it has
  // not written yet: checked here, they let the page go out as it is written.
  out.DecideCharset(EntriesAreUtf8(state.fileList));
  WriteEntryTable(out, state, content);
  WriteRemovalForms(out, state);
  WriteReturnLink(out, state);
}

void PrepareFileListPage(AppState& state) {
  LoadSearchConfig(state, state.currentConfig);
  if (state.fileListName.empty()) state.fileListName = state.searchConfig.FILELIST;
  state.browseDir = BrowsedFolder(state);
  state.fileList.Load(state, state.fileListName);
}
