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

}  // namespace

std::string BuildOverflowReport(const OverflowFlags& flags) {
  std::string report = "Too wide characters:\r\n";
  report += ListCodes(flags.tooWide);
  report += "\r\nToo high characters:\r\n";
  report += ListCodes(flags.tooHigh);
  report += "\r\nToo wide and high characters:\r\n";
  report += ListCodes(flags.tooWideAndHigh);
  return report;
}
