// Opening fonts: matching a request to a face, then sizing it and choosing the
// hinting that the face's gasp table asks for at that size.
#include "text/text_font.h"

#include <ft2build.h>
#include FT_GASP_H

#include <algorithm>
#include <utility>
#include <vector>

#include "text/font_catalog.h"
#include "text/font_match.h"
#include "text/text_font_internal.h"
#include "text/windows1252.h"

namespace {

// The face for request: the matched one, else the default sans-serif face, else
// the first installed file that opens.
CachedFacePtr AcquireRequestedFace(const FontRequest& request, FaceChoice& choice) {
  if (Result<FaceChoice> chosen = ChooseFace(request)) {
    choice = std::move(*chosen);
    if (CachedFacePtr face = AcquireFace(choice.file, choice.index, choice.source)) return face;
  }
  if (Result<FaceChoice> chosen =
          MatchWithFontconfig("sans-serif", request.weight, request.italic)) {
    choice = std::move(*chosen);
    if (CachedFacePtr face = AcquireFace(choice.file, choice.index, choice.source)) return face;
  }
  for (const TypefaceFile& entry : InstalledFontCatalog().files) {
    if (CachedFacePtr face = AcquireFace(entry.file, entry.index, entry.source)) {
      choice = {.file = entry.file,
                .source = entry.source,
                .index = entry.index,
                .family = entry.family,
                .weight = entry.weight,
                .italic = entry.italic,
                .known = true};
      return face;
    }
  }
  return nullptr;
}

// Sets the size of a scalable face by the height and width rules.
bool SizeScalable(TextFont& font, CachedFace& face, const FontRequest& request) {
  const VerticalSize vertical =
      PickVerticalSize(request.height, face.unitsPerEm, face.winAscent, face.winDescent);
  const int xPpem = request.width == 0
                        ? vertical.ppem
                        : PickHorizontalPpem(request.width, vertical.ppem, face.unitsPerEm,
                                             AverageCharWidth(face));
  // Both pixel sizes go to FreeType so that hinting works at the anisotropic size.
  if (FT_Set_Pixel_Sizes(face.face.get(), static_cast<FT_UInt>(xPpem),
                         static_cast<FT_UInt>(vertical.ppem)) != 0) {
    return false;
  }
  font.metrics.ascentPx = vertical.ascentPx;
  font.metrics.descentPx = vertical.descentPx;
  font.metrics.ppemX = xPpem;
  font.metrics.ppemY = vertical.ppem;
  return true;
}

// A bitmap-only face has fixed strikes: the one nearest the requested height.
bool SizeFixed(TextFont& font, CachedFace& face, const FontRequest& request) {
  FT_Face ft = face.face.get();
  if (ft->num_fixed_sizes <= 0) return false;
  std::vector<int> heights(static_cast<std::size_t>(ft->num_fixed_sizes));
  for (std::size_t i = 0; i < heights.size(); ++i) heights[i] = ft->available_sizes[i].height;
  const int best = PickFixedStrike(heights.data(), ft->num_fixed_sizes, request.height);
  if (FT_Select_Size(ft, best) != 0) return false;
  const FT_Size_Metrics& m = ft->size->metrics;
  font.metrics.ascentPx = ClampReach((static_cast<long long>(m.ascender) + 32) >> 6);
  font.metrics.descentPx = ClampReach(-((static_cast<long long>(m.descender) + 32) >> 6));
  font.metrics.ppemX = m.x_ppem;
  font.metrics.ppemY = m.y_ppem;
  return true;
}

// The gasp table's word for this size: hinting off without GRIDFIT, monochrome
// without DOGRAY; no table means both.
void ChooseHinting(TextFont& font) {
  const FT_Int gasp = FT_Get_Gasp(font.face->face.get(), static_cast<FT_UInt>(font.metrics.ppemY));
  // Never the auto-hinter: an unhinted font is drawn from its outline as it is.
  font.loadFlags = FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL | FT_LOAD_NO_AUTOHINT;
  font.renderMode = FT_RENDER_MODE_NORMAL;
  if (gasp == FT_GASP_NO_TABLE) return;
  if (!(gasp & FT_GASP_DO_GRIDFIT)) font.loadFlags |= FT_LOAD_NO_HINTING;
  if (!(gasp & FT_GASP_DO_GRAY)) {
    font.loadFlags |= FT_LOAD_TARGET_MONO;
    font.renderMode = FT_RENDER_MODE_MONO;
  }
}

// Weight 0 is "don't care", which means regular.
FontRequest NormalizeRequest(const FontRequest& asked) {
  FontRequest request = asked;
  request.weight = request.weight <= 0 ? 400 : std::min(request.weight, 1000);
  return request;
}

// The font of request on an acquired face; choice names the face and its style.
TextFontPtr MakeTextFont(const CachedFacePtr& face, FaceChoice choice, const FontRequest& request) {
  if (!choice.known) {
    choice.weight = face->weight;
    choice.italic = face->italic;
  }

  // A size object of this font's own on the shared face.
  auto font = std::make_shared<TextFont>();
  font->face = face;
  FT_Size size = nullptr;
  if (FT_New_Size(face->face.get(), &size) != 0) return nullptr;
  font->size.reset(size);
  if (FT_Activate_Size(size) != 0) return nullptr;

  // Pixel sizes, ascent and descent.
  const bool sized = FT_IS_SCALABLE(face->face.get()) ? SizeScalable(*font, *face, request)
                                                      : SizeFixed(*font, *face, request);
  if (!sized) return nullptr;

  // Hinting, style synthesis and the underline stroke.
  ChooseHinting(*font);
  font->metrics.file = face->file;
  font->metrics.family = choice.family;
  font->metrics.syntheticBold = NeedsSyntheticBold(request.weight, choice.weight);
  font->metrics.syntheticItalic = NeedsSyntheticItalic(request.italic, choice.italic);
  if (font->metrics.syntheticItalic) font->loadFlags |= FT_LOAD_NO_BITMAP;  // needs outlines
  font->underline = request.underline;
  font->underlineRows = PickUnderline(face->underlinePosition, face->underlineThickness,
                                      font->metrics.ppemY, face->unitsPerEm);
  return font;
}

}  // namespace

TextFontPtr OpenTextFont(const FontRequest& asked) {
  const FontRequest request = NormalizeRequest(asked);
  // The typeface's own file, or fontconfig's substitute.
  FaceChoice choice;
  const CachedFacePtr face = AcquireRequestedFace(request, choice);
  if (!face) return nullptr;
  return MakeTextFont(face, std::move(choice), request);
}

TextFontPtr OpenTextFontFile(const std::string& file, long index, const FontRequest& asked) {
  const CachedFacePtr face = AcquireFace(file, index);
  if (!face) return nullptr;
  FaceChoice choice;
  choice.file = file;
  choice.index = index;
  const char* family = face->face->family_name;
  choice.family = family != nullptr ? family : "";
  return MakeTextFont(face, std::move(choice), NormalizeRequest(asked));
}

std::vector<char32_t> MappedChars(const FontRequest& request) {
  std::vector<char32_t> chars;
  FaceChoice choice;
  const CachedFacePtr cached = AcquireRequestedFace(NormalizeRequest(request), choice);
  if (!cached) return chars;
  FT_Face face = cached->face.get();
  if (face->charmap == nullptr || face->charmap->encoding != FT_ENCODING_UNICODE) return chars;
  FT_UInt glyph = 0;
  for (FT_ULong code = FT_Get_First_Char(face, &glyph); glyph != 0;
       code = FT_Get_Next_Char(face, code, &glyph)) {
    chars.push_back(static_cast<char32_t>(code));
  }
  return chars;
}

TextFontPtr DefaultTextFont() {
  // One shared default; made again only while no font at all could be opened.
  static TextFontPtr font;
  if (!font) font = OpenTextFont(FontRequest{});
  return font;
}

FontMetrics GetFontMetrics(const TextFont& font) {
  return font.metrics;
}

char32_t CodeToChar(const TextFont& font, std::uint8_t code) {
  if (code == 10 || code == 13) return 0;
  if (font.face->byteCoded) return 0xF000 + code;
  return Cp1252ToUnicode(code);
}
