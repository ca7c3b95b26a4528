// Font matching: the installed files of a typeface by weight and slant, and
// fontconfig's substitute for a typeface that is not installed.
#include "text/font_match.h"

#include "base/status.h"

#include <algorithm>
#include <vector>

#include "text/font_catalog.h"
#include "text/fontconfig_start.h"
#include "text/ft_handles.h"
#include "text/size_rules.h"

Result<FaceChoice> MatchWithFontconfig(const std::string& family, int weight, bool italic) {
  if (!StartFontconfig()) return Failure("fontconfig could not start.");
  const Status noMatch = Failure("fontconfig has no font for \"" + family + "\".");
  const FcPatternPtr pattern(FcPatternCreate());
  if (!pattern) return noMatch;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddDouble(pattern.get(), FC_WEIGHT, FcWeightFromOpenTypeDouble(weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  if (!FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern)) return noMatch;
  FcDefaultSubstitute(pattern.get());

  FcResult result = FcResultNoMatch;
  const FcPatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
  if (!match) return noMatch;
  FcChar8* file = nullptr;
  if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) return noMatch;
  FaceChoice choice;
  int index = 0;
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
  choice.file = reinterpret_cast<const char*>(file);
  choice.index = index;
  choice.source = nullptr;

  const TypefaceFile* entry = FindCatalogFile(InstalledFontCatalog(), choice.file, index);
  if (entry != nullptr) {
    choice.source = entry->source;
    choice.family = entry->family;
    choice.weight = entry->weight;
    choice.italic = entry->italic;
    choice.known = true;
  } else {
    FcChar8* matchedFamily = nullptr;
    if (FcPatternGetString(match.get(), FC_FAMILY, 0, &matchedFamily) == FcResultMatch) {
      choice.family = reinterpret_cast<const char*>(matchedFamily);
    }
    choice.known = false;
  }
  return choice;
}

Result<FaceChoice> ChooseFace(const FontRequest& request) {
  if (!request.face.empty()) {
    const auto named = FindTypefaceFiles(InstalledFontCatalog(), request.face);
    // Files opened for the session go first: among equals the first wins, so an added
    // file serves its style before an installed file of the same name and style.
    std::vector<const TypefaceFile*> files;
    files.reserve(named.size());
    for (const TypefaceFile& file : named) files.push_back(&file);
    std::stable_partition(files.begin(), files.end(),
                          [](const TypefaceFile* file) { return file->added; });
    if (!files.empty()) {
      std::vector<FaceStyle> styles;
      styles.reserve(files.size());
      for (const TypefaceFile* file : files)
        styles.push_back({file->weight, file->italic, file->trueType});
      const int best = PickFaceStyle(styles.data(), static_cast<int>(styles.size()), request.weight,
                                     request.italic);
      const TypefaceFile& chosen = *files[static_cast<std::size_t>(best)];
      FaceChoice choice;
      choice.file = chosen.file;
      choice.index = chosen.index;
      choice.source = chosen.source;
      choice.family = chosen.family;
      choice.weight = chosen.weight;
      choice.italic = chosen.italic;
      choice.known = true;
      return choice;
    }
  }
  const std::string family = request.face.empty() ? std::string("sans-serif") : request.face;
  return MatchWithFontconfig(family, request.weight, request.italic);
}
