// The editor file choice page over a real configuration file.
#include <gtest/gtest.h>

#include "support/cgi_test.h"

namespace {

const char kMark[] = " <b>* </b>(see below)\n";

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

std::string EditButton(const std::string& file) {
  return " <input type=\"hidden\" name=\"file\" value=\"" + file + "\">\n"
         " <input type=\"submit\" value=\"Edit...\">\n";
}

using EditorChoiceTest = CgiTest;

TEST_F(EditorChoiceTest, DefaultsOfferAllFourFiles) {
  const std::string page = Get("target=redit").Body();
  for (const char* file : {"help.htm", "layout_s.htm", "layout_l.htm", "sitemap.htm"}) {
    EXPECT_EQ(Count(page, EditButton(file)), 1u) << file;
  }
  EXPECT_EQ(Count(page, kMark), 0u);
  EXPECT_EQ(Count(page, "Upload those files via FTP instead."), 0u);
}

TEST_F(EditorChoiceTest, ConfiguredNamesDecideEachRow) {
  dir.Write("tovimarq.ini",
            "HELPFILE=/etc/motd\nSUBJECTLAYOUT=/usr/local/www/tovimarqdata/rep.htm\n"
            "LITERALLAYOUT=lit%0A.htm\nSITEMAPLAYOUT=templates/../../x.htm\n");
  const std::string page = Get("target=redit").Body();
  EXPECT_EQ(Count(page, EditButton("/usr/local/www/tovimarqdata/rep.htm")), 1u);
  EXPECT_EQ(Count(page, "value=\"Edit...\""), 1u);
  EXPECT_EQ(Count(page, kMark), 3u);
  EXPECT_EQ(Count(page, "Upload those files via FTP instead."), 1u);
}

}  // namespace
