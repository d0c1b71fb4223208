// The file list page as the browser receives it: folder browser, file choice, entry table.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "support/cgi_test.h"

namespace {

std::string Indent(int levels) {
  std::string indent;
  for (int i = 0; i < 3 * levels; ++i) indent += "&nbsp;";
  return indent;
}

class FileListPageTest : public CgiTest {
 protected:
  // The page after changing to `folder`, editing the file list "list.txt".
  std::string Browse(const std::string& folder) {
    return Post("target=flist&act=chdir&fname=list.txt&dirlist=" + folder).Body();
  }

  // The options of the select element named `name`.
  static std::string SelectOptions(const std::string& body, const std::string& name) {
    const std::string start = "<select name=\"" + name + "\"";
    const std::size_t open = body.find('\n', body.find(start)) + 1;
    return body.substr(open, body.find(" </select>", open) - open);
  }
};

TEST_F(FileListPageTest, RootShowsItsSubFoldersOneLevelIn) {
  const std::string body = Browse("/");
  EXPECT_NE(body.find("Current directory: <b>/</b>"), std::string::npos);
  const std::string options = SelectOptions(body, "dirlist");
  EXPECT_EQ(options.rfind(" <option value=\"/\" selected>/</option>\n <option value=\"/", 0), 0u);
  EXPECT_NE(options.find(" <option value=\"/etc\">" + Indent(1) + "etc</option>\n"),
            std::string::npos);
  EXPECT_EQ(options.find("value=\"/.\""), std::string::npos);
  EXPECT_EQ(options.find("value=\"/..\""), std::string::npos);
}

TEST_F(FileListPageTest, NestedFolderShowsAncestorsThenSortedSubFolders) {
  dir.MakeDir("www/docs");
  dir.MakeDir("www/cgi");
  dir.MakeDir("www/Zed");
  const std::string body = Browse(dir.Path("www"));
  EXPECT_NE(body.find("Current directory: <b>" + dir.Path("www/") + "</b>"), std::string::npos);

  std::string expected = " <option value=\"/\">/</option>\n";
  int level = 0;
  const std::string browsed = dir.Path("www/");
  for (std::size_t slash = browsed.find('/', 1); slash != std::string::npos;
       slash = browsed.find('/', slash + 1)) {
    const std::size_t start = browsed.rfind('/', slash - 1) + 1;
    expected += " <option value=\"" + browsed.substr(0, slash) + "\"" +
                (slash + 1 == browsed.size() ? " selected" : "") + ">" + Indent(++level) +
                browsed.substr(start, slash - start) + "</option>\n";
  }
  for (const char* folder : {"Zed", "cgi", "docs"}) {
    expected += " <option value=\"" + browsed + folder + "\">" + Indent(level + 1) + folder +
                "</option>\n";
  }
  EXPECT_EQ(SelectOptions(body, "dirlist"), expected);
}

TEST_F(FileListPageTest, FilesSortUpperCaseBeforeLowerCase) {
  dir.MakeDir("www/sub");
  for (const char* name : {"www/alpha.htm", "www/Zeta.htm", "www/.hidden", "www/b&c.htm"}) {
    dir.Write(name, "x");
  }
  const std::string body = Browse(dir.Path("www"));
  EXPECT_EQ(SelectOptions(body, "files"),
            " <option value=\".hidden\">.hidden</option>\n"
            " <option value=\"Zeta.htm\">Zeta.htm</option>\n"
            " <option value=\"alpha.htm\">alpha.htm</option>\n"
            " <option value=\"b&amp;c.htm\">b&amp;c.htm</option>\n");
  EXPECT_NE(body.find(" <input type=\"button\" value=\"Add all files from the directory\" "
                      "onClick=\"fadddir2();\"><font size=0><br><br></font>\n"
                      " <input type=\"button\" value=\"Add selected files\" "
                      "onClick=\"faddfiles();\">\n</td>\n"),
            std::string::npos);
}

TEST_F(FileListPageTest, FolderWithOnlySubFoldersOffersNoFileButtons) {
  dir.MakeDir("www/sub");
  const std::string body = Browse(dir.Path("www"));
  EXPECT_EQ(SelectOptions(body, "files"), " <option value=\"\">&lt;No files found&gt;</option>\n");
  EXPECT_NE(body.find("onClick=\"fadddir3();\"><font size=0><br><br></font>\n</td>\n"),
            std::string::npos);
  EXPECT_EQ(body.find("fadddir2();\">"), std::string::npos);
  EXPECT_EQ(body.find("faddfiles();\">"), std::string::npos);
}

TEST_F(FileListPageTest, UnreadableFolderShowsRootAndAncestorsOnly) {
  dir.MakeDir("locked/sub");
  chmod(dir.Path("locked").c_str(), 0);
  CgiRequest request;
  request.body = "target=flist&act=chdir&fname=list.txt&dirlist=" + dir.Path("locked");
  request.unprivileged = true;
  const std::string body = Run(request).Body();
  const std::string options = SelectOptions(body, "dirlist");
  EXPECT_NE(options.find(" selected>" + Indent(1)), std::string::npos);
  EXPECT_EQ(options.substr(options.size() - 16), "locked</option>\n");
  EXPECT_EQ(SelectOptions(body, "files"), " <option value=\"\">&lt;No files found&gt;</option>\n");
}

// A folder that others may read but not search lists its files, yet none of
// them can be looked up: each is marked, however many the list names.
TEST_F(FileListPageTest, FilesOfAFolderThatCannotBeSearchedAreMarked) {
  dir.MakeDir("shut");
  std::string list;
  for (int i = 0; i < 20; ++i) {
    const std::string name = "shut/f" + std::to_string(i);
    dir.Write(name, "x");
    list += "FILE=" + dir.Path(name) + "\nURL=http://h/" + std::to_string(i) + "\n";
  }
  dir.Write("list.txt", list);
  chmod(dir.Path("shut").c_str(), 0744);
  CgiRequest request;
  request.body = "target=flist&act=chdir&fname=list.txt&dirlist=" + dir.path();
  request.unprivileged = true;
  const std::string body = Run(request).Body();
  const std::string mark = "<nobr><font color=\"#a00000\"><b>*</b></font>\n";
  std::size_t marks = 0;
  for (std::size_t at = body.find(mark); at != body.npos; at = body.find(mark, at + 1)) ++marks;
  EXPECT_EQ(marks, 20u);
}

TEST_F(FileListPageTest, BrowsedFolderIsAnExistingFolderElseTheSiteRoot) {
  dir.MakeDir("www/sub");
  dir.Write("www/a.htm", "x");
  ASSERT_EQ(symlink(dir.Path("www").c_str(), dir.Path("link").c_str()), 0);
  const std::string www = dir.Path("www/"), root = dir.Path("www/sub/");
  struct Case { std::string posted, documentRoot, shown; };  // posted form-encoded
  CgiRequest request;
  for (const Case& c :
       {Case{dir.Path("www/sub/..//./"), root, www}, Case{dir.Path("link"), root, www},
        Case{std::string(4095, '/'), root, "/"}, Case{dir.Path("gone"), root, root},
        Case{dir.Path("www/a.htm"), root, root}, Case{www + "%00", root, root},
        Case{"", root, root}, Case{"", dir.Path("gone"), dir.Path("")}}) {
    request.body = "target=flist&act=chdir&dirlist=" + c.posted;
    request.env["DOCUMENT_ROOT"] = c.documentRoot;
    const std::string body = Run(request).Body();
    SCOPED_TRACE(c.posted.substr(0, 80));
    EXPECT_NE(body.find("Current directory: <b>" + c.shown + "</b>"), body.npos);
    EXPECT_NE(body.find("name=\"curdir\" value=\"" + c.shown + "\">"), body.npos);
  }
}

TEST_F(FileListPageTest, ThreeEntriesAlternateColoursAndMarkMissingPaths) {
  dir.Write("here.htm", "x");
  dir.Write("list.txt", "FILE=" + dir.Path("here.htm") +
                            "\nURL=http://h/here.htm\n"
                            "DIR=/nowhere/a\nURL=http://h/a\n"
                            "TREE=/nowhere/b/\nURL=http://h/b/\n");
  const std::string body = Browse("/");
  const auto row = [](const char* label, const char* colour, const std::string& path,
                      const std::string& url, int number) {
    const std::string cell = std::string("<td bgcolor=\"#") + colour + "\"";
    return "<tr>\n<td><font size=-1>\n " + std::string(label) + "&nbsp;\n</font></td>\n" +
           cell + "><font size=-1>\n <nobr>" + path + "</nobr>\n</font></td>\n" + cell +
           ">\n &nbsp;\n</td>\n" + cell + "><font size=-1>\n <nobr>" + url +
           "</nobr>\n</font></td>\n" + cell +
           " align=\"right\">\n <input type=\"checkbox\" name=\"del\" aria-label=\"To be removed\" "
           "value=\"" +
           std::to_string(number) + "\">\n</td>\n</tr>\n";
  };
  const std::string mark = "<font color=\"#a00000\"><b>*</b></font>\n";
  const std::string hinted = "/<wbr>" + dir.Path("here.htm").substr(1);
  EXPECT_NE(body.find(row("Dir", "ffffff", mark + "/<wbr>nowhere/a/", "http:/<wbr>/h/a/", 1) +
                      row("Tree", "e0e0e0", mark + "/<wbr>nowhere/b/", "http:/<wbr>/h/b/", 2) +
                      row("File", "ffffff", hinted, "http:/<wbr>/h/here.htm", 3) +
                      "</table>\n</div>\n\n<font color=\"#a00000\"><b>* - Warning:</b></font> the file "
                      "or directory does not exist\nor is not accessible.\n"
                      "<table width=100%>\n"),
            std::string::npos);
  EXPECT_NE(body.find(" <input type=\"hidden\" name=\"curdir\" value=\"/\">\n"
                      " <input type=\"button\" value=\"Remove checked\" "
                      "onClick=\"fdelchk(3);\">\n</td>\n</form>\n<form name=\"delall\""),
            std::string::npos);
  EXPECT_NE(body.find("onClick=\"fdelall();\">"), std::string::npos);
  // The filter above the table counts the entries it shows.
  EXPECT_LT(body.find("<input type=\"text\" id=\"filter\""), body.find("name=\"del\""));
  EXPECT_NE(body.find(">3 of 3 entries shown</span>"), std::string::npos);
}

TEST_F(FileListPageTest, EmptyListHasNoRemovalButtons) {
  const std::string body = Browse("/");
  EXPECT_NE(body.find("removed\n</font></td>\n</tr>\n</table>\n</div>\n\n</form>\n\n</td>\n</tr>\n"
                      "<tr>\n<td align=\"center\">\n <a href=\"tvqconf.cgi?target=main\">"
                      "<b>Return to Main Menu</b></a>\n</td>\n</tr>\n</table>\n"),
            std::string::npos);
  EXPECT_EQ(body.find("Remove checked"), std::string::npos);
  EXPECT_EQ(body.find("Warning:</b>"), std::string::npos);
  EXPECT_EQ(body.find("id=\"filter\""), std::string::npos);
}

TEST_F(FileListPageTest, FormsCarryTheListAndFolder) {
  dir.MakeDir("www");
  const std::string body = Browse(dir.Path("www"));
  const std::string browsed = dir.Path("www/");
  EXPECT_NE(body.find("<form name=\"adddir\" action=\"tvqconf.cgi#dirlist\" method=\"POST\" "
                      "onSubmit=\"return false;\">\n<td valign=\"top\">\n"
                      " <input type=\"hidden\" name=\"target\" value=\"flist\">\n"
                      " <input type=\"hidden\" name=\"act\" value=\"\">\n"
                      " <input type=\"hidden\" name=\"curdir\" value=\"" + browsed + "\">\n"
                      " <input type=\"hidden\" name=\"fname\" value=\"list.txt\">\n"),
            std::string::npos);
  EXPECT_NE(body.find(" <font color=\"#800000\">File List in editing:</font> <b>list.txt</b>"),
            std::string::npos);
}

TEST_F(FileListPageTest, FirstVisitEditsTheConfiguredListFromTheDocumentRoot) {
  dir.MakeDir("www/docs");
  dir.Write("tovimarq.ini", "FILELIST=my.txt\nSITEROOTURL=http://h/\n");
  dir.Write("my.txt", "FILE=/a.htm\nURL=a.htm\n");
  CgiRequest request;
  request.query = "target=flist";
  request.env["DOCUMENT_ROOT"] = dir.Path("www");
  const std::string body = Run(request).Body();
  EXPECT_NE(body.find("File List in editing:</font> <b>my.txt</b>"), std::string::npos);
  EXPECT_NE(body.find("Current directory: <b>" + dir.Path("www/") + "</b>"), std::string::npos);
  EXPECT_NE(body.find(" <option value=\"" + dir.Path("www/docs") + "\">"), std::string::npos);
  EXPECT_NE(body.find("<nobr>http:/<wbr>/h/a.htm</nobr>"), std::string::npos);
}

TEST_F(FileListPageTest, ScriptsSurroundTheBody) {
  const std::string body = Browse("/");
  const std::size_t head = body.find("</head>");
  for (const char* function :
       {"function fchdir()", "function fclearfiles()", "function fvirtual()",
        "function fadddir1()", "function fadddir3()", "function fadddir2()",
        "function faddfiles()", "function fdelall()", "function fdelchk(num)"}) {
    EXPECT_LT(body.find(function), head) << function;
  }
  EXPECT_NE(body.find("alert(\"No entries are checked.\");"), std::string::npos);
  EXPECT_NE(body.find("</table>\n<script language=\"JavaScript\"><!--\n(function () {\n"),
            std::string::npos);
  EXPECT_NE(body.find("localStorage.getItem(fpathkey())"), std::string::npos);
}

}  // namespace
