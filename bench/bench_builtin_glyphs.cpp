// Benchmarks of the built-in box, block and shade glyphs against the same characters
// drawn from a font, and of the pixel font check.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "glyph/builtin_glyphs.h"
#include "layout/charmap.h"
#include "text/face_cache.h"
#include "text/pixel_font.h"
#include "text/text_font.h"

namespace {

// The characters of a CP437 sheet that are drawn built in (its box drawing, blocks,
// shades and the square).
std::vector<char32_t> Cp437BuiltinCharacters() {
  std::vector<char32_t> chars;
  for (const char32_t ch : BuiltInCharMap(CharMapKind::kCp437).cells) {
    if (IsBuiltinGlyph(ch)) chars.push_back(ch);
  }
  return chars;
}

// All of them, drawn into one cell of width x height (the arguments) after another.
void BM_BuiltinGlyphsCp437(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  const std::vector<char32_t> chars = Cp437BuiltinCharacters();
  std::vector<std::uint8_t> cell(static_cast<std::size_t>(width) * height);
  for (auto _ : state) {
    for (const char32_t ch : chars) DrawBuiltinGlyph(ch, width, height, cell.data(), width);
    benchmark::DoNotOptimize(cell.data());
  }
  state.SetLabel(std::to_string(chars.size()) + " characters");
}
BENCHMARK(BM_BuiltinGlyphsCp437)->Args({8, 16})->Args({16, 32})->Unit(benchmark::kMicrosecond);

// The same characters from DejaVu Sans Mono at the cell height, with a font made afresh
// each time, as a sheet run makes its font and renders each glyph once.
void BM_FontGlyphsCp437(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
  const std::vector<char32_t> chars = Cp437BuiltinCharacters();
  PixelSurface surface;
  if (!ResizePixelSurface(surface, width, height)) {
    state.SkipWithError("no surface");
    return;
  }
  const PixelRect clip{0, 0, width, height};
  for (auto _ : state) {
    const TextFontPtr font = OpenTextFont({.face = "DejaVu Sans Mono", .height = height});
    if (!font || GetFontMetrics(*font).family != "DejaVu Sans Mono") {
      state.SkipWithError("DejaVu Sans Mono is not installed");
      break;
    }
    for (const char32_t ch : chars) {
      FillPixelSurface(surface, 0);
      DrawCharAt(surface, *font, ch, 0, 0, &clip, false, false);
    }
    benchmark::DoNotOptimize(surface.pixels.data());
  }
}
BENCHMARK(BM_FontGlyphsCp437)->Args({8, 16})->Args({16, 32})->Unit(benchmark::kMicrosecond);

// The pixel font check over printable ASCII and a CP437 sheet's characters: DejaVu Sans
// Mono (first argument 0) fails it at its first curve; Unifont (1) passes, reading every
// outline. Second argument 1: cold, on a face opened anew each time (a one-shot run's
// check); 0: warm, the face's outlines read before (the window's next preview).
void BM_FindPixelGrid(benchmark::State& state) {
  const char* face = state.range(0) == 0 ? "DejaVu Sans Mono" : "Unifont";
  const bool cold = state.range(1) == 1;
  TextFontPtr font = OpenTextFont({.face = face, .height = 16});
  if (!font || GetFontMetrics(*font).family != face) {
    state.SkipWithError((std::string(face) + " is not installed").c_str());
    return;
  }
  std::u32string extra;
  for (const char32_t ch : BuiltInCharMap(CharMapKind::kCp437).cells) {
    if (ch != kEmptyCell) extra += ch;
  }
  for (auto _ : state) {
    if (cold) {
      state.PauseTiming();
      font.reset();
      ClearFaceCache();
      font = OpenTextFont({.face = face, .height = 16});
      state.ResumeTiming();
    }
    benchmark::DoNotOptimize(FindPixelGrid(*font, extra));
  }
  state.SetLabel(std::string(face) + (cold ? ", cold" : ", warm"));
}
BENCHMARK(BM_FindPixelGrid)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMicrosecond);

}  // namespace
