// A whole save and a whole load of databases of 10 bars x 20 buttons and
// 128 bars x 64 buttons, on the in-memory storage and files: the cost of the
// database code itself, without any file system.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "db/cdb.h"
#include "support/file_ops_memory.h"
#include "platform/storage_memory.h"
#include "sample_database.h"

namespace {

const char kFolder[] = "C:\\Orvantis";
const char kDatabasePath[] = "C:\\Orvantis\\lbars.acc";

struct MemoryScene {
  MemoryFileSystem files;
  MemoryStorageBackend storage{files};
  CDB db{storage, files, [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }};
  MemoryScene() {
    files.MakeFolder(kFolder);
    db.SetProgramFolder(kFolder);
  }
};

void SetSizeCounters(benchmark::State& state, const std::string& file) {
  const auto buttons = static_cast<double>(state.range(0) * state.range(1));
  state.counters["buttons/s"] = benchmark::Counter(buttons, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["file_bytes"] = static_cast<double>(file.size());
}

void BM_SaveDatabase(benchmark::State& state) {
  MemoryScene scene;
  FillSampleDatabase(scene.db, static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)));
  for (auto _ : state)
    if (scene.db.Save() != 1) state.SkipWithError("save failed");
  SetSizeCounters(state, scene.files.Contents(kDatabasePath));
}
BENCHMARK(BM_SaveDatabase)->Args({10, 20})->Args({128, 64})->Unit(benchmark::kMillisecond);

void BM_LoadDatabase(benchmark::State& state) {
  MemoryScene scene;
  FillSampleDatabase(scene.db, static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)));
  if (scene.db.Save() != 1) state.SkipWithError("save failed");
  for (auto _ : state) {
    if (scene.db.Load() != 1) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(scene.db.BarCount());
  }
  if (scene.db.BarCount() != state.range(0)) state.SkipWithError("load lost bars");
  SetSizeCounters(state, scene.files.Contents(kDatabasePath));
}
BENCHMARK(BM_LoadDatabase)->Args({10, 20})->Args({128, 64})->Unit(benchmark::kMillisecond);

}  // namespace
