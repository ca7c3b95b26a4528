// Choosing each cell's font and reporting the fallback faces.
#include "render/fallback_cells.h"

#include <algorithm>
#include <cstdio>

namespace {

// C0 and C1 controls and DEL: nothing to draw, so no face is asked for them.
bool IsControlChar(char32_t ch) {
  return ch < 0x20 || (ch >= 0x7F && ch <= 0x9F);
}

void AppendLine(std::string& text, const std::string& line) {
  if (!text.empty()) text += "\r\n";
  text += line;
}

}  // namespace

GlyphFont CellFont(SheetChar& c, const GlyphFont& font, FallbackFonts& fallback,
                   FallbackTally& tally) {
  if (!font) return font;
  const char32_t ch = c.byteCode ? CodeToChar(*font, static_cast<std::uint8_t>(c.ch)) : c.ch;
  if (ch == 0 || IsControlChar(ch) || FontHasChar(*font, ch)) return font;
  GlyphFont drawn = FallbackFontFor(fallback, ch);
  if (!drawn) {
    if (tally.missingSeen.insert(ch).second) tally.missing.push_back(ch);
    return font;
  }
  c = {ch, false};
  const std::string face = GetFontMetrics(*drawn).family;
  const auto known = std::find(tally.faces.begin(), tally.faces.end(), face);
  if (known == tally.faces.end()) {
    tally.faces.push_back(face);
    tally.cells.push_back(1);
  } else {
    ++tally.cells[static_cast<std::size_t>(known - tally.faces.begin())];
  }
  return drawn;
}

std::string FallbackLogLines(const FallbackTally& tally) {
  std::string text;
  for (std::size_t i = 0; i < tally.faces.size(); ++i) {
    const int n = tally.cells[i];
    AppendLine(text, "fallback: " + tally.faces[i] + " draws " + std::to_string(n) +
                         (n == 1 ? " cell" : " cells"));
  }
  const std::size_t named = std::min<std::size_t>(tally.missing.size(), kMaxMissingLines);
  for (std::size_t i = 0; i < named; ++i) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(tally.missing[i]));
    AppendLine(text, std::string("no face has ") + code);
  }
  if (const std::size_t rest = tally.missing.size() - named; rest > 0) {
    AppendLine(text,
               "... and " + std::to_string(rest) +
                   (rest == 1 ? " more character no face has" : " more characters no face has"));
  }
  return text;
}
