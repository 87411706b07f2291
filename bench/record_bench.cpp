// Encoding and decoding single stream records: the per-button cost under every
// load and save.
#include <benchmark/benchmark.h>

#include "db/cbar.h"
#include "db/cd.h"
#include "db/records.h"

namespace {

CD TypicalButton() {
  CD button;
  button.Name = "Notepad";
  button.Target = "C:\\windows\\notepad.exe";
  button.WorkDir = "C:\\windows";
  button.Arguments = "C:\\Documents and Settings\\user\\My Documents\\notes.txt";
  button.Kind = kFile;
  button.IconFile = "C:\\windows\\notepad.exe";
  return button;
}

CBar TypicalBar() {
  CBar bar;
  bar.Name = "Work";
  bar.ShowAfter = 5000;
  bar.IconFile = "C:\\Program Files\\Orvantis\\Orvantis.exe";
  return bar;
}

void BM_EncodeButtonRecord(benchmark::State& state) {
  const CD button = TypicalButton();
  for (auto _ : state) benchmark::DoNotOptimize(EncodeButtonRecord(button));
}
BENCHMARK(BM_EncodeButtonRecord);

void BM_DecodeButtonRecord(benchmark::State& state) {
  const std::string bytes = EncodeButtonRecord(TypicalButton());
  for (auto _ : state) {
    CD button;
    benchmark::DoNotOptimize(DecodeButtonRecord(bytes, button));
    benchmark::DoNotOptimize(button);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeButtonRecord);

void BM_EncodeBarRecord(benchmark::State& state) {
  const CBar bar = TypicalBar();
  for (auto _ : state) benchmark::DoNotOptimize(EncodeBarRecord(bar));
}
BENCHMARK(BM_EncodeBarRecord);

void BM_DecodeBarRecord(benchmark::State& state) {
  const std::string bytes = EncodeBarRecord(TypicalBar());
  const std::string defaultIcon = "C:\\Program Files\\Orvantis\\Orvantis.exe";
  for (auto _ : state) {
    CBar bar;
    benchmark::DoNotOptimize(DecodeBarRecord(bytes, defaultIcon, bar));
    benchmark::DoNotOptimize(bar);
  }
}
BENCHMARK(BM_DecodeBarRecord);

}  // namespace
