// Cost of one whole request in-process, from form decoding to the written page.
#include <benchmark/benchmark.h>

#include "app/app_state.h"
#include "app/request_cycle.h"
#include "counting_sink.h"
#include "fileio/stale_replacements.h"

namespace {

std::size_t NoBody(char*, std::size_t) { return 0; }

void ServeQuery(benchmark::State& run, const std::string& query) {
  for (auto _ : run) {
    AppState state;
    state.env.queryString = query;
    state.env.remoteUser = "admin";
    CountingSink sink;
    PageWriter writer(sink);
    RunRequest(state, "tvqconf.cgi", NoBody, writer);
    writer.Flush();
    benchmark::DoNotOptimize(sink.count);
  }
}

void BM_MainMenu(benchmark::State& run) { ServeQuery(run, "target=main"); }
void BM_ManageConfigurations(benchmark::State& run) { ServeQuery(run, "target=mconf"); }
void BM_DecodeLongForm(benchmark::State& run) {
  std::string query = "target=main";
  for (int i = 0; i < 1000; ++i) query += "&files=page%20" + std::to_string(i) + ".htm";
  ServeQuery(run, query);
}
// The part of every request that looks for new files left by killed requests.
void BM_RemoveStaleReplacements(benchmark::State& run) {
  for (auto _ : run) RemoveStaleReplacements(".");
}

BENCHMARK(BM_MainMenu);
BENCHMARK(BM_ManageConfigurations);
BENCHMARK(BM_DecodeLongForm);
BENCHMARK(BM_RemoveStaleReplacements);

}  // namespace
