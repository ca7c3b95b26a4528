// The export and color modes. Each value is the mode's byte code in the settings file.
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
