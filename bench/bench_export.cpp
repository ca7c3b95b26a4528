// Benchmarks of one export run: All mode, tile size 16, DejaVu Sans at Char height 20,
// gradient, written as PNG; and the run alone without the file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/dialog_proc.h"
#include "app/export_commands.h"
#include "dialog/dialog_fields.h"
#include "headless/headless_host.h"
#include "options/control_ids.h"

namespace {

struct ExportSetup {
  HeadlessHost host;
  Dialog dlg{host};
  bool ok = false;

  ExportSetup() {
    StartDialog(dlg);
    ok = FontListSelectPrefix(dlg, "DejaVu Sans") == 0 &&
         FontListEntry(dlg, FontListSelection(dlg)) == "DejaVu Sans";
    host.Click(kIdExportAll);
    SetText(dlg, kIdTileSize, "16");
    SetText(dlg, kIdCharHeight, "20");
    SetText(dlg, kIdColorSteps, "6");
    SetInt(dlg, kIdSubRed, 40);  // a real gradient, not a single color
  }
};

void BM_ExportAllTile16Png(benchmark::State& state) {
  ExportSetup setup;
  if (!setup.ok) {
    state.SkipWithError("DejaVu Sans is not installed");
    return;
  }
  const std::string file =
      (std::filesystem::temp_directory_path() / "glyphex-bench-sheet.png").string();
  for (auto _ : state) {
    if (ExportSheet(setup.dlg, file, false) != 0) {
      state.SkipWithError("the export failed");
      break;
    }
  }
  std::remove(file.c_str());
}
BENCHMARK(BM_ExportAllTile16Png)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ExportAllTile16Preview(benchmark::State& state) {
  ExportSetup setup;
  if (!setup.ok) {
    state.SkipWithError("DejaVu Sans is not installed");
    return;
  }
  for (auto _ : state) ExportSheet(setup.dlg, "", true);
}
BENCHMARK(BM_ExportAllTile16Preview)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

namespace {

// The same run for a 16 x 16 CP437 sheet of 32 x 32 cells (DejaVu Sans at Char height
// 40, twice the tile-16 run's): four times the pixels of the 32 x 8 sheet above.
void BM_ExportAllCp437Cell32Png(benchmark::State& state) {
  ExportSetup setup;
  if (!setup.ok) {
    state.SkipWithError("DejaVu Sans is not installed");
    return;
  }
  SetText(setup.dlg, kIdCharHeight, "40");
  SetText(setup.dlg, kIdCharMap, "cp437");
  SetText(setup.dlg, kIdGridColumns, "16");
  SetText(setup.dlg, kIdGridRows, "16");
  SetText(setup.dlg, kIdCellWidth, "32");
  SetText(setup.dlg, kIdCellHeight, "32");
  const std::string file =
      (std::filesystem::temp_directory_path() / "glyphex-bench-cp437.png").string();
  for (auto _ : state) {
    if (ExportSheet(setup.dlg, file, false) != 0) {
      state.SkipWithError("the export failed");
      break;
    }
  }
  std::remove(file.c_str());
}
BENCHMARK(BM_ExportAllCp437Cell32Png)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

namespace {

// What the pixel font check adds to a run: a CP437 sheet in 8 x 16 cells with
// --pixel-font off and auto, of DejaVu Sans Mono (0 off, 1 auto), which fails the check
// at its first curve, and of Unifont (2 off, 3 auto), which passes it reading every
// outline and is then drawn in 1 bit. cp1252 sheets never run the check in auto.
void BM_ExportPreviewPixelFontCheck(benchmark::State& state) {
  ExportSetup setup;
  const char* face = state.range(0) >= 2 ? "Unifont" : "DejaVu Sans Mono";
  if (FontListSelectPrefix(setup.dlg, face) != 0 ||
      FontListEntry(setup.dlg, FontListSelection(setup.dlg)) != face) {
    state.SkipWithError((std::string(face) + " is not installed").c_str());
    return;
  }
  const bool check = state.range(0) % 2 == 1;
  SetText(setup.dlg, kIdCharHeight, "16");
  SetText(setup.dlg, kIdCharMap, "cp437");
  SetText(setup.dlg, kIdGridColumns, "16");
  SetText(setup.dlg, kIdGridRows, "16");
  SetText(setup.dlg, kIdCellWidth, "8");
  SetText(setup.dlg, kIdCellHeight, "16");
  setup.host.Click(check ? kIdPixelFontAuto : kIdPixelFontOff);
  for (auto _ : state) ExportSheet(setup.dlg, "", true);
  state.SetLabel(std::string(face) + (check ? ", auto" : ", off"));
}
BENCHMARK(BM_ExportPreviewPixelFontCheck)
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

// A CP437 sheet of DejaVu Sans Mono in 8 x 16 cells with its box drawing and block
// characters built in (0) and from the font (1).
void BM_ExportPreviewCp437BoxDrawing(benchmark::State& state) {
  ExportSetup setup;
  if (FontListSelectPrefix(setup.dlg, "DejaVu Sans Mono") != 0) {
    state.SkipWithError("DejaVu Sans Mono is not installed");
    return;
  }
  SetText(setup.dlg, kIdCharHeight, "16");
  SetText(setup.dlg, kIdCharMap, "cp437");
  SetText(setup.dlg, kIdGridColumns, "16");
  SetText(setup.dlg, kIdGridRows, "16");
  SetText(setup.dlg, kIdCellWidth, "8");
  SetText(setup.dlg, kIdCellHeight, "16");
  setup.host.Click(state.range(0) == 0 ? kIdBoxDrawingBuiltin : kIdBoxDrawingFont);
  for (auto _ : state) ExportSheet(setup.dlg, "", true);
  state.SetLabel(state.range(0) == 0 ? "built in" : "from the font");
}
BENCHMARK(BM_ExportPreviewCp437BoxDrawing)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

}  // namespace
