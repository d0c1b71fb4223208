// The page table: maps target to its page, title, heading and script blocks.
#include "html/render_page.h"

#include <string>

#include "app/app_state.h"
#include "config/search_defaults_page.h"
#include "configs/manage_configs_page.h"
#include "editor/editor_choice_page.h"
#include "editor/editor_page.h"
#include "filelist/file_list_page.h"
#include "history/diff_page.h"
#include "history/history_page.h"
#include "html/main_menu.h"
#include "html/scripts.h"
#include "testform/test_form_page.h"

namespace {

using PagePart = void (*)(PageWriter&, const AppState&);

enum class Preparation { kNothing, kConfig, kFileList };

struct PageRow {
  const char* target;  // nullptr: the last row, which takes every other value
  Preparation prepare;
  const char* title;
  PagePart script;
  const char* heading;
  bool headingNamesEditFile;  // the heading is followed by the edited file's name
  int columns;
  PagePart body;
  PagePart closingScript;
};

const PageRow kPages[] = {
    {"sdef", Preparation::kConfig, "Search Defaults", WriteSearchDefaultsScript,
     "EDIT SEARCH DEFAULTS", false, 1, RenderSearchDefaultsPage, nullptr},
    {"flist", Preparation::kFileList, "File List", WriteFileListScript,
     "EDIT FILE LIST", false, 1, RenderFileListPage, WriteVirtualPathScript},
    {"redit", Preparation::kConfig, "File Editor", nullptr,
     "EDIT TOVIMARQ&#153; FILES", false, 2, RenderEditorChoicePage, nullptr},
    {"editor", Preparation::kNothing, "File Editor", WriteEditorScript, "EDIT ", true, 1,
     RenderEditorPage, nullptr},
    {"testform", Preparation::kConfig, "Test Tovimarq(tm)", nullptr,
     "TEST SEARCH FORM", false, 1, RenderTestFormPage, nullptr},
    {"mconf", Preparation::kNothing, "Manage Configurations",
     WriteConfigManagementScript, "MANAGE MULTIPLE CONFIGURATIONS", false, 2,
     RenderManageConfigsPage, nullptr},
    {"history", Preparation::kNothing, "Change History", nullptr, "CHANGE HISTORY", false, 1,
     RenderHistoryPage, nullptr},
    {"histdiff", Preparation::kNothing, "Change History", nullptr, "CHANGE HISTORY", false, 1,
     RenderDiffPage, nullptr},
    {nullptr, Preparation::kNothing, "Main Menu", WriteConfigSelectorScript,
     "MAIN CONFIGURATION MENU", false, 2, RenderMainMenuPage, nullptr},
};

const PageRow& FindPage(const std::string& target) {
  for (const PageRow& row : kPages) {
    if (row.target == nullptr || target == row.target) return row;
  }
  return kPages[std::size(kPages) - 1];
}

void Prepare(Preparation preparation, AppState& state) {
  switch (preparation) {
    case Preparation::kNothing: break;
    case Preparation::kConfig: LoadSearchConfig(state, state.currentConfig); break;
    case Preparation::kFileList: PrepareFileListPage(state); break;
  }
}

}  // namespace

void RenderPage(PageWriter& out, AppState& state) {
  std::string target;
  GetField(state.form, "target", target);
  const PageRow& page = FindPage(target);
  Prepare(page.prepare, state);

  out.WriteDocumentStart(page.title);
  if (page.script != nullptr) page.script(out, state);
  out.WritePageHeader(page.heading,
                      page.headingNamesEditFile ? state.editFile : std::string(),
                      page.columns, state.env.remoteUser.has_value(), state.messages);
  page.body(out, state);
  if (page.closingScript != nullptr) page.closingScript(out, state);
  out.WritePageEnd();
}
