// Builds the OverflowReport from the OverflowFlags.
#include "render/overflow_report.h"

#include <array>
#include <cstdint>

#include "base/char_codes.h"

namespace {

// The flagged codes 1..255 as raw bytes, or "[none]". Code 0 is never drawn.
std::string ListCodes(const std::array<std::uint8_t, kCodes>& table) {
  std::string codes;
  for (int code = 1; code < kCodes; ++code) {
    if (table[code]) codes.push_back(static_cast<char>(code));
  }
  return codes.empty() ? std::string("[none]") : codes;
}

// The flagged cells 0..255 as their characters in UTF-8, or "[none]".
std::string ListCells(const std::array<std::uint8_t, 256>& table, const CharMap& map) {
  std::string text;
  for (int cell = 0; cell < 256; ++cell) {
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
