// Administrators posting at the same moment: every change reaches the file, none is lost.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "support/cgi_test.h"

namespace {

struct ParallelCase {
  const char* label;
  std::string request, file, left;  // "#" stands for the request's number
};

std::ostream& operator<<(std::ostream& out, const ParallelCase& c) { return out << c.label; }

class ParallelRequestsTest : public CgiTest, public ::testing::WithParamInterface<ParallelCase> {
 protected:
  // Posts the request with the version of `file` as it stands, the way its page
  // would, once more after every refusal as stale: an administrator who saw
  // the page again and repeated the change.
  void PostUntilTaken(const std::string& fields, const std::string& file) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      CgiRequest request;
      request.body = fields + "&" + VersionField(file);
      const std::string page = RunCgi(CgiProgramPath(), dir.path(), request).Body();
      if (page.find(" after this page was shown; your change was not saved.") == page.npos) return;
    }
    ADD_FAILURE() << fields << " was refused as stale 100 times";
  }
};

TEST_P(ParallelRequestsTest, TwentyAtOnceKeepEveryChange) {
  const ParallelCase& c = GetParam();
  dir.Write("tovimarq.ini", "FILELIST=l\n");
  const auto numbered = [](std::string text, int n) {
    return text.replace(text.find('#'), 1, std::to_string(n));
  };
  std::promise<void> start;
  std::shared_future<void> started = start.get_future().share();
  std::vector<std::thread> administrators;
  for (int n = 0; n < 20; ++n) {
    administrators.emplace_back([&, n] {
      started.wait();
      PostUntilTaken(numbered(c.request, n), c.file);
    });
  }
  start.set_value();
  for (std::thread& administrator : administrators) administrator.join();
  const std::string content = "\n" + dir.Read(c.file);
  for (int n = 0; n < 20; ++n) EXPECT_NE(content.find(numbered(c.left, n)), content.npos) << n;
}

INSTANTIATE_TEST_SUITE_P(
    Actions, ParallelRequestsTest,
    ::testing::Values(
        ParallelCase{"FileListAddition",
                     "target=flist&act=addfiles&fname=l&curdir=/d/&rempath=/x&files=#", "l",
                     "\nFILE=/d/#\n"},
        ParallelCase{"ConfigurationCopy", "target=mconf&act=copyini&ini=tovimarq.ini&newini=#.ini",
                     "tvqconf.dat", "\n#.ini\n"}),
    [](const ::testing::TestParamInfo<ParallelCase>& info) { return info.param.label; });

}  // namespace
