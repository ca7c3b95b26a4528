// Benchmarks of the text layer: listing the installed typefaces and making a font.
#include <benchmark/benchmark.h>

#include "text/face_cache.h"
#include "text/font_catalog.h"
#include "text/text_font.h"

namespace {

// The full enumeration the font list does at start-up (not the per-process copy).
void BM_BuildTypefaceList(benchmark::State& state) {
  for (auto _ : state) {
    FontCatalog catalog = BuildFontCatalog();
    benchmark::DoNotOptimize(catalog.typefaces.data());
  }
}
BENCHMARK(BM_BuildTypefaceList)->Unit(benchmark::kMillisecond);

// Renders the 95 printable ASCII characters with a fresh font.
void RenderPrintable(TextFont& font) {
  for (char32_t ch = 0x20; ch < 0x7F; ++ch) benchmark::DoNotOptimize(&RenderChar(font, ch));
}

// A font of DejaVu Sans at cell height 20 from the face cache, as the operations
// make them, plus its first glyphs.
void BM_OpenTextFont(benchmark::State& state) {
  const FontRequest request{"DejaVu Sans", 20, 0, 400, false, false};
  for (auto _ : state) {
    TextFontPtr font = OpenTextFont(request);
    if (!font) {
      state.SkipWithError("DejaVu Sans cannot be opened");
      break;
    }
    RenderPrintable(*font);
  }
}
BENCHMARK(BM_OpenTextFont)->Unit(benchmark::kMicrosecond);

// The same with the face opened from its file every time (a face not in the cache).
void BM_OpenTextFontColdFace(benchmark::State& state) {
  const FontRequest request{"DejaVu Sans", 20, 0, 400, false, false};
  for (auto _ : state) {
    ClearFaceCache();
    TextFontPtr font = OpenTextFont(request);
    if (!font) {
      state.SkipWithError("DejaVu Sans cannot be opened");
      break;
    }
    RenderPrintable(*font);
  }
}
BENCHMARK(BM_OpenTextFontColdFace)->Unit(benchmark::kMicrosecond);

}  // namespace
