// The font that the dialog's font fields describe.
#pragma once

#include <optional>

#include "dialog/dialog.h"
#include "text/text_font.h"

// Shared: a font may be selected into two surfaces at once, and it is deleted when
// the last holder lets go.
using GlyphFont = TextFontPtr;

// The request made of the text layer for a face, height, width and style.
FontRequest GlyphFontRequest(Dialog& dlg, std::optional<int> height, std::optional<int> width);

// Makes the font of the dialog's font fields. Without a current font list entry it
// returns nullptr and reads nothing else. Without a height, height and width come
// from Char height (1003) and Char width (1002); with a height, the given width (or
// 0) is used and Char width is not read. Bold (1004) asks weight 700, else 400;
// Italic (1005) and Underline (1006) count only when checked.
GlyphFont CreateGlyphFont(Dialog& dlg, std::optional<int> height = std::nullopt,
                          std::optional<int> width = std::nullopt);
