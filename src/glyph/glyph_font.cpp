// The font of a request.
#include "glyph/glyph_font.h"

FontRequest SizedFontRequest(FontRequest request, std::optional<int> height,
                             std::optional<int> width) {
  if (height) {
    request.height = *height;
    request.width = width.value_or(0);
  }
  return request;
}

GlyphFont CreateGlyphFont(const std::optional<FontRequest>& request, std::optional<int> height,
                          std::optional<int> width) {
  if (!request) return nullptr;
  return OpenTextFont(SizedFontRequest(*request, height, width));
}
