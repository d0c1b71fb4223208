// Cost of preparing the editor's text area for a file at the size limit.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "counting_sink.h"
#include "editor/editor_text.h"

namespace {

// A file of kEditorSizeLimit bytes of markup-heavy text with CR LF line ends.
std::string WriteLargestFile() {
  char path[] = "/tmp/tvqconf-editor-bench-XXXXXX";
  const int fd = mkstemp(path);
  std::string content;
  while (content.size() < static_cast<std::size_t>(kEditorSizeLimit)) {
    content += "<p class=\"x\">Tom & Jerry</p>\r\n";
  }
  content.resize(kEditorSizeLimit);
  if (fd < 0 || write(fd, content.data(), content.size()) != static_cast<ssize_t>(content.size())) {
    std::perror("editor_bench");
  }
  close(fd);
  return path;
}

void BM_LoadAndEscapeLargestFile(benchmark::State& run) {
  const std::string path = WriteLargestFile();
  for (auto _ : run) {
    CountingSink sink;
    PageWriter page(sink);
    const EditorText loaded = LoadEditorText(path);
    benchmark::DoNotOptimize(page.WriteTextArea(loaded.text));
    page.Flush();
    benchmark::DoNotOptimize(sink.count);
  }
  unlink(path.c_str());
}

BENCHMARK(BM_LoadAndEscapeLargestFile);

}  // namespace
