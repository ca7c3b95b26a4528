// Autosize: measures the sample letters with a series of candidate fonts and writes
// the best height (and width) with a short report.
#include "autosize/autosize.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "autosize/autosize_search.h"
#include "base/char_codes.h"

namespace {

// The report's buffer: the full report takes about 130 bytes with its numbers.
constexpr std::size_t kReportBytes = 256;
// Never a lit coordinate: what an inkless character's extents are measured from.
constexpr int kNoInk = 99999;
// Where each sample character is drawn from; unclipped, so only its top-left matters.
constexpr PixelRect kSampleRect = {0, 0, 150, 150};

// The distinct codes of the sample, ascending: the order they are measured in.
struct SampleCodes {
  std::array<unsigned char, kCodes> codes{};
  int count = 0;
};

constexpr SampleCodes BuildSampleCodes() {
  std::array<bool, kCodes> marked{};
  for (int i = 0; i < kAutosizeSampleCount; ++i)
    marked[static_cast<unsigned char>(kAutosizeSample[i])] = true;
  SampleCodes sample;
  for (int code = 0; code < kCodes; ++code)
    if (marked[code]) sample.codes[sample.count++] = static_cast<unsigned char>(code);
  return sample;
}

// Measures candidate heights from the first upward until the stop rule fires.
CandidateChoice SearchHeight(const std::optional<FontRequest>& font, GlyphSurface& surface,
                             int tileSize) {
  const CandidateRange range = HeightCandidates(tileSize);
  const float target = HeightTarget(tileSize);
  std::vector<float> averages;
  SearchStopState stop;
  for (int i = 0; i < range.count; ++i) {
    const int h = range.first + i;
    const SampleAverages a = MeasureSample(surface, CreateGlyphFont(font, h, 0), 2 * h, 2 * h);
    averages.push_back(a.height);
    if (HeightSearchStep(stop, TargetDifference(target, a.height))) break;
  }
  return ChooseCandidate(range.first, averages, target);
}

// Measures candidate widths at the chosen height. The region's columns follow the
// height and its rows the width candidate.
CandidateChoice SearchWidth(const std::optional<FontRequest>& font, GlyphSurface& surface,
                            int tileSize, int height) {
  const CandidateRange range = WidthCandidates(tileSize);
  const float target = WidthTarget(tileSize);
  std::vector<float> averages;
  SearchStopState stop;
  for (int i = 0; i < range.count; ++i) {
    const int k = range.first + i;
    const SampleAverages a =
        MeasureSample(surface, CreateGlyphFont(font, height, k), 2 * height, 4 * k);
    averages.push_back(a.width);
    if (WidthSearchStep(stop, TargetDifference(target, a.width))) break;
  }
  return ChooseCandidate(range.first, averages, target);
}

// The surface side that holds every candidate's measuring region: 2 * height by
// 2 * height for the heights, 2 * height by 4 * width for the widths. Never below
// today's 200, so cells up to 16 px measure exactly as before.
int SizeTestSurfaceSize(PixelSize cell) {
  const CandidateRange heights = HeightCandidates(cell.heightPx);
  const CandidateRange widths = WidthCandidates(cell.widthPx);
  const int lastHeight = heights.first + heights.count - 1;
  const int lastWidth = widths.first + widths.count - 1;
  return std::max({kSizeTestSurfaceSize, 2 * lastHeight, 4 * lastWidth});
}

// The largest size from searched down to 1 for which fits holds; searched itself when
// none does (the export then names what is too wide).
template <typename Fits>
int FittingSize(int searched, Fits fits) {
  for (int size = searched; size >= 1; --size) {
    if (fits(size)) return size;
  }
  return searched;
}

// The report's line for a size lowered to fit the cell width; nothing when it was not.
void AppendLowered(char (&report)[kReportBytes], const char* what, int searched, int chosen,
                   int cellWidthPx) {
  if (chosen == searched) return;
  const std::size_t used = std::strlen(report);
  std::snprintf(report + used, sizeof report - used,
                ",\r\n%s lowered from %d so that every character fits the cell width of %d px",
                what, searched, cellWidthPx);
}

// The reported distance to the target, worked in double.
double ReportedDifference(float target, float average) {
  return std::fabs(static_cast<double>(target) - static_cast<double>(average));
}

}  // namespace

int OpenSizeTestSurface(GlyphSurface& surface, int size) {
  Result<GlyphSurface> opened = OpenSurface(size, size);
  if (!opened) return 1;
  surface = std::move(*opened);
  ClearSurface(surface);
  SetTextMode(surface, TextMode::kTransparent);
  return 0;
}

SampleAverages MeasureSample(GlyphSurface& surface, const GlyphFont& font, int regionWidth,
                             int regionHeight) {
  static constexpr SampleCodes sample = BuildSampleCodes();

  // The candidate replaces the previous one, which goes once nothing holds it.
  SelectSurfaceFont(surface, font);

  // Each character alone, its lit box within the region.
  float widthSum = 0.0f;
  float heightSum = 0.0f;
  for (int i = 0; i < sample.count; ++i) {
    ClearSurface(surface);
    DrawGlyph(surface, sample.codes[i], kSampleRect, false);
    int minX = kNoInk, minY = kNoInk, maxX = 0, maxY = 0;
    for (int y = 0; y < regionHeight; ++y) {
      for (int x = 0; x < regionWidth; ++x) {
        if (!IsLit(surface, x, y)) continue;
        if (x < minX) minX = x;
        if (y < minY) minY = y;
        if (x > maxX) maxX = x;
        if (y > maxY) maxY = y;
      }
    }
    widthSum = static_cast<float>(static_cast<double>(widthSum) + (maxX - minX));
    heightSum = static_cast<float>(static_cast<double>(heightSum) + (maxY - minY));
  }

  // Divided by the number of characters of the sample.
  SampleAverages averages;
  averages.width = static_cast<float>(static_cast<double>(widthSum) / kAutosizeSampleCount);
  averages.height = static_cast<float>(static_cast<double>(heightSum) / kAutosizeSampleCount);
  return averages;
}

std::optional<SizeSuggestion> SuggestSize(const std::optional<FontRequest>& font, int tileSize,
                                          AutosizeMode mode) {
  return SuggestSize(font, PixelSize{.widthPx = tileSize, .heightPx = tileSize}, mode);
}

bool CharsFitWidth(GlyphSurface& surface, const GlyphFont& font, std::span<const SheetChar> chars,
                   int widthPx) {
  SelectSurfaceFont(surface, font);
  for (const SheetChar& c : chars) {
    const std::optional<PixelRect> ink = SheetCharInkBox(surface, c, 0, 0);
    if (ink && ink->right - ink->left >= widthPx) return false;
  }
  return true;
}

std::optional<SizeSuggestion> SuggestSize(const std::optional<FontRequest>& font, PixelSize cell,
                                          AutosizeMode mode, std::span<const SheetChar> fitChars) {
  // The scratch surface; without it there is no suggestion.
  GlyphSurface surface;
  if (OpenSizeTestSurface(surface, SizeTestSurfaceSize(cell)) != 0) return std::nullopt;

  // The height, in both modes; in the proportional mode lowered until the characters
  // fit a cell narrower or wider than it is high.
  CandidateChoice height = SearchHeight(font, surface, cell.heightPx);
  const int searched = height.candidate;
  if (mode == AutosizeMode::kProportional && cell.widthPx != cell.heightPx && searched > 0) {
    const int h = FittingSize(searched, [&](int candidate) {
      return CharsFitWidth(surface, CreateGlyphFont(font, candidate, 0), fitChars, cell.widthPx);
    });
    if (h != searched) {
      height.candidate = h;
      height.average = MeasureSample(surface, CreateGlyphFont(font, h, 0), 2 * h, 2 * h).height;
    }
  }
  const double heightDifference = ReportedDifference(HeightTarget(cell.heightPx), height.average);

  // The output of the mode (the full mode searches a width for that height first).
  SizeSuggestion suggestion;
  suggestion.height = height.candidate;
  char report[kReportBytes];
  if (mode == AutosizeMode::kProportional) {
    std::snprintf(report, sizeof report,
                  "Autosize (proportional):\r\nsuggest height %d,\r\ndifference to optimal "
                  "height: %f",
                  height.candidate, heightDifference);
    AppendLowered(report, "height", searched, height.candidate, cell.widthPx);
    if (height.candidate != searched) suggestion.loweredFrom = searched;
  } else {
    CandidateChoice width = SearchWidth(font, surface, cell.widthPx, height.candidate);
    const int widthSearched = width.candidate;
    if (cell.widthPx != cell.heightPx && widthSearched > 0) {
      const int k = FittingSize(widthSearched, [&](int w) {
        return CharsFitWidth(surface, CreateGlyphFont(font, height.candidate, w), fitChars,
                             cell.widthPx);
      });
      if (k != widthSearched) {
        width.candidate = k;
        width.average = MeasureSample(surface, CreateGlyphFont(font, height.candidate, k),
                                      2 * height.candidate, 4 * k)
                            .width;
      }
    }
    suggestion.width = width.candidate;
    std::snprintf(report, sizeof report,
                  "Autosize (full):\r\nsuggest width %d, height %d,\r\ndifference to optimal "
                  "width: %f\r\ndifference to optimal height: %f",
                  width.candidate, height.candidate,
                  ReportedDifference(WidthTarget(cell.widthPx), width.average), heightDifference);
    AppendLowered(report, "width", widthSearched, width.candidate, cell.widthPx);
    if (width.candidate != widthSearched) suggestion.loweredFrom = widthSearched;
  }
  suggestion.report = report;
  return suggestion;
}
