// Benchmarks of the three descriptors' text for the sheet of bench_export.cpp's run (All
// mode, tile size 16, DejaVu Sans at height 20): the work a descriptor adds before its
// file is written.
#include <benchmark/benchmark.h>

#include "descriptor/descriptors.h"
#include "render/sheet_pipeline.h"

namespace {

struct NoSink : MessageSink {
  void Show(std::string_view, std::string_view, MessageIcon) override {}
};

void BM_DescriptorTexts(benchmark::State& state) {
  SheetOptions options;
  options.font = FontRequest{"DejaVu Sans", 20, 0, 400, false, false};
  options.tileSize = 16;
  options.colorSteps = 6;
  options.exportMode = ExportMode::kAll;
  options.colorMode = ColorMode::kGradient;
  NoSink sink;
  const std::optional<Sheet> sheet = RenderSheet(options, sink);
  if (!sheet) {
    state.SkipWithError("the sheet could not be rendered");
    return;
  }
  SheetDescription d;
  d.sheetFileName = "sheet.png";
  d.face = "DejaVu Sans";
  d.widthPx = sheet->width;
  d.heightPx = sheet->height;
  d.grid = sheet->grid;
  d.cellPx = sheet->cellPx;
  d.mapName = sheet->map.name;
  d.mapCells = sheet->map.cells;
  d.cells = sheet->drawnCells;
  d.coverage = &sheet->coverage;
  const int kind = static_cast<int>(state.range(0));
  for (auto _ : state) {
    std::string text = kind == 0   ? FntDescriptor(d)
                       : kind == 1 ? JsonDescriptor(d)
                                   : CHeaderDescriptor(d, "sheet");
    benchmark::DoNotOptimize(text);
  }
}
// 0 fnt, 1 json, 2 c
BENCHMARK(BM_DescriptorTexts)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
