// Administrators posting at the same moment: every change reaches the file, none is lost.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "support/cgi_test.h"

namespace {

TEST(ParallelRequestsTest, TwentyAtOnceKeepEveryChange) {
  struct Case { std::string request, file, left; };  // "#" stands for the request's number
  for (const Case& c : {Case{"target=flist&act=addfiles&fname=l&curdir=/d/&rempath=/x&files=#",
                             "l", "\nFILE=/d/#\n"},
                        Case{"target=mconf&act=copyini&ini=tovimarq.ini&newini=#.ini",
                             "tvqconf.dat", "\n#.ini\n"}}) {
    TempDir dir;
    dir.Write("tovimarq.ini", "FILELIST=l\n");
    const auto numbered = [](std::string text, int n) {
      return text.replace(text.find('#'), 1, std::to_string(n));
    };
    std::promise<void> start;
    std::shared_future<void> started = start.get_future().share();
    std::vector<std::thread> administrators;
    for (int n = 0; n < 20; ++n) {
      administrators.emplace_back([&, n] {
        CgiRequest request;
        request.body = numbered(c.request, n);
        started.wait();
        RunCgi(CgiProgramPath(), dir.path(), request);
      });
    }
    start.set_value();
    for (std::thread& administrator : administrators) administrator.join();
    const std::string content = "\n" + dir.Read(c.file);
    for (int n = 0; n < 20; ++n) EXPECT_NE(content.find(numbered(c.left, n)), content.npos) << n;
  }
}

}  // namespace
