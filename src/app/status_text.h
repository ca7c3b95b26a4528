// The status line's texts: what a save wrote and what Autosize found.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "autosize/autosize.h"

// "Saved PATH (W × H, DEPTH)", then the companion files by name: " and a.fnt", or
// ", a.fnt and a.json".
std::string SavedSheetStatus(const std::string& path, int width, int height, std::string_view depth,
                             const std::vector<std::string>& companions);

// "Autosize (proportional): Char height H" or "Autosize (full): Char width W, height H",
// with " (lowered from N to fit the cell width)" when it was; "Autosize found no size"
// when no candidate suited.
std::string AutosizeStatus(const SizeSuggestion& suggestion, AutosizeMode mode);
