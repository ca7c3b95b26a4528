// Benchmarks of the descriptors' texts and the font files for the sheet of
// bench_export.cpp's run (All mode, tile size 16, DejaVu Sans at height 20): the work
// they add before their files are written, to hold against BM_ExportAllTile16Png.
#include <benchmark/benchmark.h>

#include "app/descriptor_files.h"
#include "descriptor/descriptors.h"
#include "descriptor/font_files.h"
#include "render/sheet_pipeline.h"

namespace {

struct NoSink : MessageSink {
  void Show(std::string_view, std::string_view, MessageIcon) override {}
};

// The export benchmark's sheet and its description, which points into the sheet.
struct DescribedSheet {
  std::optional<Sheet> sheet;
  SheetDescription d;
};

// Renders the sheet once; false (with the benchmark marked) when it cannot be rendered.
bool DescribeExportSheet(benchmark::State& state, DescribedSheet& out) {
  SheetOptions options;
  options.font = FontRequest{"DejaVu Sans", 20, 0, 400, false, false};
  options.tileSize = 16;
  options.colorSteps = 6;
  options.exportMode = ExportMode::kAll;
  options.colorMode = ColorMode::kGradient;
  NoSink sink;
  out.sheet = RenderSheet(options, sink);
  if (!out.sheet) {
    state.SkipWithError("the sheet could not be rendered");
    return false;
  }
  out.d = DescribeSheet(*out.sheet, options, "sheet.png");
  return true;
}

void BM_DescriptorTexts(benchmark::State& state) {
  DescribedSheet described;
  if (!DescribeExportSheet(state, described)) return;
  const SheetDescription& d = described.d;
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

void BM_FontFiles(benchmark::State& state) {
  DescribedSheet described;
  if (!DescribeExportSheet(state, described)) return;
  const SheetDescription& d = described.d;
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
