// The export and color modes, and the kind of image a sheet is written as. Each export
// and color mode's value is its byte code in the settings file.
#pragma once

#include <cstdint>

enum class ExportMode { kNormal = 1, kAll = 2, kUserDefined = 3, kRange = 4 };

enum class ColorMode {
  kGradient = 1,
  kRelief = 2,
  kImageOnly = 3,
  kGradientOverImage = 4,
  kReliefOverImage = 5,
};

// The mode of a settings byte: 1, 2 and 4 as above, any other value user-defined.
inline ExportMode ExportModeOfCode(std::uint8_t code) {
  if (code == 1 || code == 2 || code == 4) return static_cast<ExportMode>(code);
  return ExportMode::kUserDefined;
}

// The mode of a settings byte: 1 to 4 as above, any other value ReliefOverImage.
inline ColorMode ColorModeOfCode(std::uint8_t code) {
  if (code >= 1 && code <= 4) return static_cast<ColorMode>(code);
  return ColorMode::kReliefOverImage;
}

inline std::uint8_t ModeCode(ExportMode mode) {
  return static_cast<std::uint8_t>(mode);
}
inline std::uint8_t ModeCode(ColorMode mode) {
  return static_cast<std::uint8_t>(mode);
}

// Whether the mode colors lit pixels from the texture.
inline bool UsesTexture(ColorMode mode) {
  return mode == ColorMode::kImageOnly || mode == ColorMode::kGradientOverImage ||
         mode == ColorMode::kReliefOverImage;
}

// What a sheet file holds: the colored sheet (the default), the colored sheet with
// straight alpha from each pixel's coverage, the coverage as 8-bit gray, one bit a
// pixel from the coverage and a threshold, or each glyph's signed distance field as
// 8-bit gray.
enum class OutputKind { kColor = 0, kAlpha = 1, kGray = 2, kMono = 3, kSdf = 4 };

// Who draws the box drawing, block and shade characters (U+2500..U+259F, U+25A0): the
// program, to fill the cell exactly, or the face. kAuto draws them built in for every
// map but cp1252, whose sheets keep the face's glyphs.
enum class BoxDrawing { kAuto = 0, kBuiltin = 1, kFont = 2 };

// Whether a face designed on a pixel grid is drawn exactly (a whole multiple of its
// grid, mono, unhinted): kAuto when the face is found to be one, on every map but
// cp1252, whose sheets stay as they have always been; kOn for any scalable face and
// map; kOff never.
enum class PixelFontMode { kAuto = 0, kOn = 1, kOff = 2 };

// The mono threshold: 1 sets every lit pixel.
inline constexpr int kMinMonoThreshold = 1;
inline constexpr int kMaxMonoThreshold = 255;
inline constexpr int kDefaultMonoThreshold = 1;

// The distance field's spread: how many pixels from the outline its values reach, 128
// on the outline and 0 or 255 that far outside or inside.
inline constexpr int kMinSdfSpreadPx = 1;
inline constexpr int kMaxSdfSpreadPx = 32;
inline constexpr int kDefaultSdfSpreadPx = 4;

// Whether a pixel of this coverage (0 unlit, 1..255) is set in the 1-bit output: it is
// lit and its coverage is at least threshold. An unlit pixel is never set, whatever the
// threshold.
inline bool MonoBit(std::uint8_t coverage, int threshold) {
  return coverage != 0 && coverage >= threshold;
}
