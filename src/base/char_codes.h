// The character codes of a sheet: one per 8-bit value, so every per-code table has
// kCodes entries and is indexed by the code itself.
#pragma once

inline constexpr int kCodes = 256;
