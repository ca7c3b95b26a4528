// The status line's texts.
#include "app/status_text.h"

namespace {

std::string FileName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string SavedSheetStatus(const std::string& path, int width, int height, std::string_view depth,
                             const std::vector<std::string>& companions) {
  std::string text = "Saved " + path + " (" + std::to_string(width) + " \u00D7 " +
                     std::to_string(height) + ", " + std::string(depth) + ")";
  for (std::size_t i = 0; i < companions.size(); ++i) {
    text += i + 1 == companions.size() ? " and " : ", ";
    text += FileName(companions[i]);
  }
  return text;
}

std::string AutosizeStatus(const SizeSuggestion& suggestion, AutosizeMode mode) {
  const bool full = mode == AutosizeMode::kFull;
  std::string text = full ? "Autosize (full): " : "Autosize (proportional): ";
  if (suggestion.height < 0 || (full && suggestion.width.value_or(-1) < 0)) {
    return text + "no size suits this face";
  }
  if (full) {
    text += "Char width " + std::to_string(*suggestion.width) + ", height ";
  } else {
    text += "Char height ";
  }
  text += std::to_string(suggestion.height);
  if (suggestion.loweredFrom) {
    text += " (lowered from " + std::to_string(*suggestion.loweredFrom) + " to fit the cell width)";
  }
  return text;
}
