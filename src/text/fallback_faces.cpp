// Choosing the face that draws a character the sheet's face lacks.
#include "text/fallback_faces.h"

#include <utility>

#include "text/fontconfig_start.h"
#include "text/ft_handles.h"
#include "text/pixel_font.h"
#include "text/text_font_internal.h"

struct SystemFaces {
  FcFontSetPtr sorted;  // null when fontconfig has nothing
};

namespace {

// font as the sheet draws it: when mono, its 1-bit unhinted form at its own size (a face
// that has none, such as a bitmap face, as it is).
TextFontPtr Finish(TextFontPtr font, bool mono) {
  if (!font || !mono) return font;
  TextFontPtr exact = OpenMonoTextFont(*font, std::nullopt);
  return exact ? exact : font;
}

// fontconfig's faces for the request's typeface, weight and slant, best first; trimmed,
// so that a face that covers nothing the ones before it lack is left out.
std::shared_ptr<SystemFaces> SortSystemFaces(const FontRequest& request) {
  auto faces = std::make_shared<SystemFaces>();
  if (!StartFontconfig()) return faces;
  const FcPatternPtr pattern(FcPatternCreate());
  if (!pattern) return faces;
  const std::string family = request.face.empty() ? std::string("sans-serif") : request.face;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddDouble(pattern.get(), FC_WEIGHT, FcWeightFromOpenTypeDouble(request.weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, request.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  if (!FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern)) return faces;
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  faces->sorted.reset(FcFontSort(nullptr, pattern.get(), FcTrue, nullptr, &result));
  return faces;
}

// The first sorted face whose character set has ch and whose font draws it.
TextFontPtr SystemFontFor(FallbackFonts& fonts, char32_t ch) {
  if (!fonts.system) fonts.system = SortSystemFaces(fonts.request);
  const FcFontSet* set = fonts.system->sorted.get();
  if (!set) return nullptr;
  for (int i = 0; i < set->nfont; ++i) {
    FcPattern* face = set->fonts[i];
    FcCharSet* chars = nullptr;
    if (FcPatternGetCharSet(face, FC_CHARSET, 0, &chars) != FcResultMatch ||
        !FcCharSetHasChar(chars, static_cast<FcChar32>(ch))) {
      continue;
    }
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetString(face, FC_FILE, 0, &file) != FcResultMatch) continue;
    FcPatternGetInteger(face, FC_INDEX, 0, &index);
    const std::string path = reinterpret_cast<const char*>(file);
    auto [kept, isNew] = fonts.systemFonts.try_emplace(path + '\n' + std::to_string(index));
    if (isNew) kept->second = Finish(OpenTextFontFile(path, index, fonts.request), fonts.mono);
    // fontconfig's set and FreeType's map may disagree: the glyph decides.
    if (kept->second && FontHasChar(*kept->second, ch)) return kept->second;
  }
  return nullptr;
}

}  // namespace

FallbackFonts MakeFallbackFonts(std::vector<FallbackFace> entries, const FontRequest& request,
                                bool mono) {
  FallbackFonts fonts;
  fonts.named.resize(entries.size());
  fonts.namedTried.resize(entries.size());
  fonts.entries = std::move(entries);
  fonts.request = request;
  fonts.mono = mono;
  return fonts;
}

TextFontPtr FallbackFontFor(FallbackFonts& fonts, char32_t ch) {
  if (const auto known = fonts.chosen.find(ch); known != fonts.chosen.end()) return known->second;
  TextFontPtr font;
  for (std::size_t i = 0; i < fonts.entries.size() && !font; ++i) {
    if (fonts.entries[i].system) {
      font = SystemFontFor(fonts, ch);
      continue;
    }
    if (!fonts.namedTried[i]) {
      FontRequest request = fonts.request;
      request.face = fonts.entries[i].face;
      fonts.named[i] = Finish(OpenTextFont(request), fonts.mono);
      fonts.namedTried[i] = true;
    }
    if (fonts.named[i] && FontHasChar(*fonts.named[i], ch)) font = fonts.named[i];
  }
  fonts.chosen.emplace(ch, font);
  return font;
}
