// Builds the OverflowReport from the OverflowFlags.
#include "render/overflow_report.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/char_codes.h"

namespace {

// The flagged codes 1..255 as raw bytes, or "[none]". Code 0 is never drawn.
std::string ListCodes(const std::vector<std::uint8_t>& table) {
  std::string codes;
  const int end = std::min(kCodes, static_cast<int>(table.size()));
  for (int code = 1; code < end; ++code) {
    if (table[code]) codes.push_back(static_cast<char>(code));
  }
  return codes.empty() ? std::string("[none]") : codes;
}

// The flagged cells as their characters in UTF-8, or "[none]".
std::string ListCells(const std::vector<std::uint8_t>& table, const CharMap& map) {
  std::string text;
  for (int cell = 0; cell < static_cast<int>(table.size()); ++cell) {
    if (table[cell]) text += CellText(map, cell);
  }
  return text.empty() ? std::string("[none]") : text;
}

template <typename List>
std::string Report(const OverflowFlags& flags, List list, bool cut) {
  std::string report = "Too wide characters:\r\n";
  report += list(flags.tooWide);
  report += "\r\nToo high characters:\r\n";
  report += list(flags.tooHigh);
  report += cut ? "\r\nToo low characters:\r\n" : "\r\nToo wide and high characters:\r\n";
  report += list(cut ? flags.tooLow : flags.tooWideAndHigh);
  return report;
}

}  // namespace

std::string BuildOverflowReport(const OverflowFlags& flags) {
  return Report(flags, ListCodes, false);
}

std::string BuildOverflowReport(const OverflowFlags& flags, const CharMap& map) {
  return Report(
      flags, [&map](const auto& table) { return ListCells(table, map); }, true);
}
