// Loading and drawing file lists of growing size, written in random order.
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "counting_sink.h"
#include "filelist/file_list.h"
#include "filelist/file_list_page.h"

namespace {

const char* const kKeywords[] = {"FILE=", "DIR=", "TREE="};

// A program directory holding a file list of `count` entries in random order
// and an empty folder to browse.
class ListFixture {
 public:
  explicit ListFixture(int count) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tvqconf-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    directory_ = pattern;
    listPath = directory_ + "/list.txt";
    std::filesystem::create_directory(directory_ + "/browse");
    WriteList(count);
    state.configLoaded = true;
    state.searchConfig.SITEROOTURL = "http://www.example.com/";
    state.programName = "tvqconf.cgi";
    state.fileListName = "list.txt";
    state.browseDir = directory_ + "/browse/";
  }
  ~ListFixture() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }

  AppState state;
  std::string listPath;

 private:
  void WriteList(int count) {
    std::vector<int> order(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) order[static_cast<std::size_t>(i)] = i;
    std::mt19937 random(42);
    std::shuffle(order.begin(), order.end(), random);
    std::ofstream out(listPath, std::ios::binary);
    for (int number : order) {
      const std::string name = "folder" + std::to_string(number % 97) + "/page" +
                               std::to_string(number) + ".htm";
      out << kKeywords[number % 3] << "/usr/local/www/data/" << name << "\nURL=docs/" << name
          << "\n\n";
    }
  }

  std::string directory_;
};

void BM_LoadFileList(benchmark::State& state) {
  ListFixture fixture(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    fixture.state.fileList.Load(fixture.state, fixture.listPath);
    benchmark::DoNotOptimize(fixture.state.fileList.entries().data());
  }
  state.SetComplexityN(state.range(0));
}

void BM_LoadAndRenderFileList(benchmark::State& state) {
  ListFixture fixture(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    fixture.state.fileList.Load(fixture.state, fixture.listPath);
    CountingSink sink;
    PageWriter out(sink);
    RenderFileListPage(out, fixture.state);
    out.Flush();
    benchmark::DoNotOptimize(sink.count);
  }
  state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_LoadFileList)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);
BENCHMARK(BM_LoadAndRenderFileList)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oNLogN);
