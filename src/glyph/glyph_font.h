// The font a sheet, its probes and the sample are drawn with.
#pragma once

#include <optional>

#include "text/text_font.h"

// Shared: a font may be selected into two surfaces at once, and it is deleted when
// the last holder lets go.
using GlyphFont = TextFontPtr;

// request with its size replaced: with a height, that height and the given width (or
// 0); without one, request's own height and width.
FontRequest SizedFontRequest(FontRequest request, std::optional<int> height,
                             std::optional<int> width);

// Makes the font of request (sized as SizedFontRequest says); nullptr without a request,
// which is what no selected face reads as.
GlyphFont CreateGlyphFont(const std::optional<FontRequest>& request,
                          std::optional<int> height = std::nullopt,
                          std::optional<int> width = std::nullopt);
