// The settings file's fixed layout: field widths, file sizes and the one-byte codes of
// the export and color modes. The fields lie back to back in the order the writer
// and the reader of settings_file.cpp go through them:
//   0 face name (128, text)      128 characters text (512, text)  640 texture path (512, text)
//   1152 Bold, Italic, Underline, trim (1 byte each)
//   1156 Char width, Char height, Bg R G B, Top R G B, Sub R G B, Color steps (4 bytes each)
//   1204 export mode code        1205 color mode code
//   1206 Tile size (4)           1210 centering (1)   1211 From (4)   1215 To (4)
#pragma once

#include <cstddef>
#include <cstdint>

#include "dialog/dialog.h"

inline constexpr int kFaceNameFieldWidth = 128;
inline constexpr int kTextFieldWidth = 512;
// A file of the current version.
inline constexpr std::size_t kSettingsFileSize = 1219;
// Files of versions before 0.3 end after the color mode code.
inline constexpr std::size_t kOldSettingsFileSize = 1206;

// The export mode's code (ReadExportMode's choice).
std::uint8_t ExportModeCode(Dialog& dlg);
// Clears the export-mode radio group and checks the button of code: 1 Normal, 2 All,
// 4 Range, any other value user-defined.
void CheckExportModeOfCode(Dialog& dlg, std::uint8_t code);

// The color mode's code: 1 Gradient, 2 Relief, 3 ImageOnly, 4 GradientOverImage, and
// 5 (ReliefOverImage) when none of those is checked.
std::uint8_t ColorModeCode(Dialog& dlg);
// Clears the color-mode radio group and checks the button of code: 1 to 4 as above,
// any other value ReliefOverImage.
void CheckColorModeOfCode(Dialog& dlg, std::uint8_t code);
