// Cost of preparing the editor's text area for a file at the size limit.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "editor/editor_text.h"
#include "html/page_writer.h"

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

// Counts the page's bytes and drops them, as a pipe to the web server would take them.
class CountingSink : public PageSink {
 public:
  void Write(const char*, std::size_t size) override { count += size; }
  std::size_t count = 0;
};

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
