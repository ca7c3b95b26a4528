// The settings file's fixed layout: its sizes. The fields lie back to back at the offsets
// the option table gives them (the export and color modes as their choices' codes):
//   0 face name (128, text)      128 characters text (512, text)  640 texture path (512, text)
//   1152 Bold, Italic, Underline, trim (1 byte each)
//   1156 Char width, Char height, Bg R G B, Top R G B, Sub R G B, Color steps (4 bytes each)
//   1204 export mode code        1205 color mode code
//   1206 Tile size (4)           1210 centering (1)   1211 From (4)   1215 To (4)
#pragma once

#include <cstddef>

// A file of the current version.
inline constexpr std::size_t kSettingsFileSize = 1219;
// Files of versions before 0.3 end after the color mode code; a file that ends before the
// range (From, at this offset) is read as an older version's.
inline constexpr int kRangeFromOffset = 1211;
