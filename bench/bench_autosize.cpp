// Benchmark of Autosize, full and proportional, at tile size 16 with DejaVu Sans.
#include <benchmark/benchmark.h>

#include "app/autosize_command.h"
#include "app/dialog_proc.h"
#include "dialog/dialog_fields.h"
#include "headless/headless_host.h"
#include "options/control_ids.h"

namespace {

struct AutosizeSetup {
  HeadlessHost host;
  Dialog dlg{host};
  bool ok = false;

  AutosizeSetup() {
    StartDialog(dlg);
    ok = FontListSelectPrefix(dlg, "DejaVu Sans") == 0 &&
         FontListEntry(dlg, FontListSelection(dlg)) == "DejaVu Sans";
    SetText(dlg, kIdTileSize, "16");
  }
};

void RunAutosize(benchmark::State& state, AutosizeMode mode) {
  AutosizeSetup setup;
  if (!setup.ok) {
    state.SkipWithError("DejaVu Sans is not installed");
    return;
  }
  for (auto _ : state) Autosize(setup.dlg, mode);
}

void BM_AutosizeFullTile16(benchmark::State& state) {
  RunAutosize(state, AutosizeMode::kFull);
}
BENCHMARK(BM_AutosizeFullTile16)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

void BM_AutosizeProportionalTile16(benchmark::State& state) {
  RunAutosize(state, AutosizeMode::kProportional);
}
BENCHMARK(BM_AutosizeProportionalTile16)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(10)
    ->ReportAggregatesOnly();

}  // namespace
