// The search defaults page for field values that no configuration file can produce.
#include "config/search_defaults_page.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/app_state.h"

namespace {

TEST(SearchDefaultsPageTest, AnyNonZeroCaseOrFlagShowsYes) {
  AppState state;
  AssignSearchDefaults(state.searchConfig);
  state.searchConfig.CASE = 5;
  state.searchConfig.PLAINTEXT = -1;
  std::ostringstream page;
  PageWriter out(page);
  RenderSearchDefaultsPage(out, state);
  EXPECT_NE(page.str().find("<option value=\"NO\">Case insensitive</option>\n"
                            "<option value=\"YES\" selected>Case sensitive</option>"),
            std::string::npos);
  EXPECT_NE(page.str().find("name=\"plaintext\" value=\"\" checked>"), std::string::npos);
}

}  // namespace
