// The add form fields and the duplicate test of the file list actions.
#include "filelist/file_list_actions.h"

#include <gtest/gtest.h>

#include "filelist/file_list.h"

namespace {

struct AddFieldsCase {
  FormData form;
  bool accepted;
  std::string folder;
  std::string virtualPath;
};

class ReadAddFieldsTest : public ::testing::TestWithParam<AddFieldsCase> {};

TEST_P(ReadAddFieldsTest, BothFieldsNeededAndEndingInSlash) {
  const std::optional<AddFields> fields = ReadAddFields(GetParam().form);
  ASSERT_EQ(fields.has_value(), GetParam().accepted);
  if (fields) {
    EXPECT_EQ(fields->folder, GetParam().folder);
    EXPECT_EQ(fields->virtualPath, GetParam().virtualPath);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadAddFieldsTest,
    ::testing::Values(
        AddFieldsCase{{{"curdir", "/d"}, {"rempath", "/x"}}, true, "/d/", "/x/"},
        AddFieldsCase{{{"curdir", "/d/"}, {"rempath", "http://h/"}}, true, "/d/", "http://h/"},
        AddFieldsCase{{{"curdir", "c:\\d\\"}, {"rempath", "x"}}, true, "c:\\d\\/", "x/"},
        AddFieldsCase{{{"curdir", "/d"}, {"curdir", ""}, {"rempath", "/x"}}, true, "/d/", "/x/"},
        AddFieldsCase{{{"rempath", "/x"}}, false, "", ""},
        AddFieldsCase{{{"curdir", "/d"}}, false, "", ""},
        AddFieldsCase{{{"curdir", ""}, {"rempath", "/x"}}, false, "", ""},
        AddFieldsCase{{{"curdir", "/d"}, {"rempath", ""}}, false, "", ""},
        AddFieldsCase{{{"curdir", "/d\n"}, {"rempath", "/x"}}, false, "", ""},
        AddFieldsCase{{{"curdir", "/d"}, {"rempath", "/x\r"}}, false, "", ""},
        AddFieldsCase{{{"curdir", std::string("/d\0/", 4)}, {"rempath", "/x"}}, false, "", ""},
        AddFieldsCase{{{"curdir", "/d"}, {"rempath", std::string("/\0x", 3)}}, false, "", ""}));

TEST(ListContainsTest, LooksOnlyAtTheKindGroupAsked) {
  FileList list;
  list.Insert({"/f", "", kKindFile});
  list.Insert({"/d/", "", kKindDir});
  list.Insert({"/t/", "", kKindTree});
  list.Insert({"/both/", "", kKindFile});
  list.Insert({"/both/", "", kKindTree});
  EXPECT_TRUE(ListContains(list, "/f", false));
  EXPECT_FALSE(ListContains(list, "/f", true));
  EXPECT_TRUE(ListContains(list, "/d/", true));
  EXPECT_TRUE(ListContains(list, "/t/", true));
  EXPECT_FALSE(ListContains(list, "/t/", false));
  EXPECT_TRUE(ListContains(list, "/both/", false));
  EXPECT_TRUE(ListContains(list, "/both/", true));
  EXPECT_FALSE(ListContains(list, "/d", true));
  EXPECT_FALSE(ListContains(list, "/F", false));
}

}  // namespace
