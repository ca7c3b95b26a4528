// What a TextFont holds: shared by the code that opens fonts and the code that
// renders and draws with them. Internal to the text layer.
#pragma once

#include <unordered_map>

#include "text/face_cache.h"
#include "text/size_rules.h"
#include "text/text_font.h"

struct TextFont {
  CachedFacePtr face;  // first member: outlives the size below
  FtSizePtr size;      // this font's own size object on the shared face
  FontMetrics metrics;
  bool underline = false;
  UnderlineRows underlineRows;
  FT_Int32 loadFlags = FT_LOAD_DEFAULT;
  FT_Render_Mode renderMode = FT_RENDER_MODE_NORMAL;
  // Rendered characters; references stay valid as the map grows.
  std::unordered_map<char32_t, GlyphImage> glyphs;
};
