// What a TextFont holds: shared by the code that opens fonts and the code that
// renders and draws with them. Internal to the text layer.
#pragma once

#include <string>
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

// Loads ch into the face's glyph slot at the font's size, sheared for synthetic italic.
// nullptr when the face lacks ch or FreeType fails.
FT_GlyphSlot LoadChar(TextFont& font, char32_t ch);

// The font of request on the face (file, index), installed or not; its typeface name
// is FreeType's family name. nullptr when the face cannot be opened or sized.
TextFontPtr OpenTextFontFile(const std::string& file, long index, const FontRequest& request);
