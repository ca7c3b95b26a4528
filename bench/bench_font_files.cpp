// Benchmarks of the font files and the .fnt XML and binary forms for the sheet of
// bench_export.cpp's run (All mode, tile size 16, DejaVu Sans at height 20): the work
// they add before their files are written, to hold against BM_ExportAllTile16Png.
#include <benchmark/benchmark.h>

#include "descriptor/font_files.h"
#include "render/sheet_pipeline.h"

namespace {

struct NoSink : MessageSink {
  void Show(std::string_view, std::string_view, MessageIcon) override {}
};

void BM_FontFiles(benchmark::State& state) {
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
  d.fontSizePx = 20;
  d.widthPx = sheet->width;
  d.heightPx = sheet->height;
  d.grid = sheet->grid;
  d.cellPx = sheet->cellPx;
  d.baselineRow = sheet->baselineRow;
  d.mapName = sheet->map.name;
  d.mapCells = sheet->map.cells;
  d.cells = sheet->drawnCells;
  d.coverage = &sheet->coverage;
  const bool fontFiles = state.range(0) == 0;
  for (auto _ : state) {
    if (fontFiles) {
      benchmark::DoNotOptimize(BdfFont(d, 1));
      benchmark::DoNotOptimize(PsfFont(d, 1));
      benchmark::DoNotOptimize(OtbFont(d, 1));
    } else {
      benchmark::DoNotOptimize(FntXmlDescriptor(d));
      benchmark::DoNotOptimize(FntBinaryDescriptor(d));
    }
  }
}
// 0: BDF, PSF and OTB together; 1: .fnt XML and binary together
BENCHMARK(BM_FontFiles)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
