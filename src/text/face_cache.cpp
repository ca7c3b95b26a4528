// The shared FreeType library and the face cache.
#include "text/face_cache.h"

#include FT_ADVANCES_H
#include FT_DRIVER_H
#include FT_FONT_FORMATS_H
#include FT_MODULE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <string_view>
#include <vector>

#include "base/char_codes.h"
#include "text/size_rules.h"

namespace {

// Save all walks through every typeface while Autosize and the export run make many
// fonts of one; a few recent faces cover both.
constexpr std::size_t kCachedFaces = 8;

// Most recently used first.
std::vector<CachedFacePtr>& FaceCache() {
  static std::vector<CachedFacePtr> cache;
  return cache;
}

// For a Type 1 or bare CFF face with a Unicode map, the glyphs of byte codes through
// its built-in encoding. Such a map is made from glyph names, so a symbol face's
// glyphs under non-standard names are reachable only through the encoding.
void ReadBuiltinEncoding(CachedFace& cached) {
  FT_Face face = cached.face.get();
  if (FT_IS_SFNT(face) || cached.byteCoded) return;
  const char* name = FT_Get_Font_Format(face);
  const std::string_view format = name != nullptr ? name : "";
  if (format != "Type 1" && format != "CFF") return;
  FT_CharMap unicode = face->charmap;
  FT_CharMap builtin = nullptr;
  for (FT_Int i = 0; i < face->num_charmaps; ++i) {
    const FT_Encoding encoding = face->charmaps[i]->encoding;
    if (encoding == FT_ENCODING_ADOBE_CUSTOM || encoding == FT_ENCODING_ADOBE_STANDARD) {
      builtin = face->charmaps[i];
      break;
    }
  }
  if (builtin == nullptr || FT_Set_Charmap(face, builtin) != 0) return;
  cached.encodingGlyphs.assign(kCodes, 0);
  for (FT_ULong code = 0; code < kCodes; ++code) {
    cached.encodingGlyphs[code] = FT_Get_Char_Index(face, code);
  }
  FT_Set_Charmap(face, unicode);
}

// Reads the table values sizing and drawing use.
void ReadFaceTables(CachedFace& cached) {
  FT_Face face = cached.face.get();
  cached.unitsPerEm = face->units_per_EM > 0 ? face->units_per_EM : 1000;

  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF) {
    cached.winAscent = os2->usWinAscent;
    cached.winDescent = os2->usWinDescent;
    cached.avgCharWidth = os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : -1;
    cached.weight = NormalizeWeightClass(os2->usWeightClass);
    cached.italic = (os2->fsSelection & 1) != 0;
  } else {
    cached.winAscent = face->ascender;
    cached.winDescent = -face->descender;
    cached.weight = (face->style_flags & FT_STYLE_FLAG_BOLD) ? 700 : 400;
    cached.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
  }
  if (cached.winAscent + cached.winDescent <= 0) {
    cached.winAscent = face->ascender;
    cached.winDescent = -face->descender;
  }

  // FreeType's underline_position of an sfnt is the post value moved down by half
  // the thickness; the post table holds the stroke's top. Other formats give the
  // stroke's centre.
  const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
  if (post != nullptr) {
    cached.underlinePosition = post->underlinePosition;
    cached.underlineThickness = post->underlineThickness;
  } else {
    cached.underlineThickness = face->underline_thickness;
    cached.underlinePosition = face->underline_position + face->underline_thickness / 2;
  }

  // Without a Unicode map (FreeType selects one on opening when there is one), a
  // symbol map, else the first map, is addressed by byte codes.
  if (face->charmap == nullptr || face->charmap->encoding != FT_ENCODING_UNICODE) {
    cached.byteCoded = true;
    if (FT_Select_Charmap(face, FT_ENCODING_MS_SYMBOL) != 0 && face->num_charmaps > 0) {
      FT_Set_Charmap(face, face->charmaps[0]);
    }
  }
  ReadBuiltinEncoding(cached);
}

}  // namespace

FtLibraryPtr SharedFreeTypeLibrary() {
  static const FtLibraryPtr library = []() -> FtLibraryPtr {
    FT_Library raw = nullptr;
    if (FT_Init_FreeType(&raw) != 0) return nullptr;
    // The grayscale hinting of the platform whose output we reproduce.
    FT_UInt interpreter = TT_INTERPRETER_VERSION_35;
    FT_Property_Set(raw, "truetype", "interpreter-version", &interpreter);
    return FtLibraryPtr(raw, FtLibraryDeleter());
  }();
  return library;
}

CachedFacePtr AcquireFace(const std::string& file, long index, const FontSourcePtr& source) {
  std::vector<CachedFacePtr>& cache = FaceCache();
  for (auto it = cache.begin(); it != cache.end(); ++it) {
    if ((*it)->index == index && (*it)->file == file && (*it)->given == source) {
      std::rotate(cache.begin(), it, it + 1);
      return cache.front();
    }
  }

  FtLibraryPtr library = SharedFreeTypeLibrary();
  if (!library) return nullptr;
  FontSourcePtr read = source;
  if (!read) {
    Result<FontSourcePtr> opened = OpenFontSource(file);
    if (opened) read = std::move(*opened);
  }
  SourceFace opened = OpenSourceFace(library.get(), read, index);
  if (!opened.face) return nullptr;

  auto cached = std::make_shared<CachedFace>();
  cached->library = std::move(library);
  cached->stream = std::move(opened.stream);
  cached->face = std::move(opened.face);
  cached->file = file;
  cached->index = index;
  cached->given = source;
  ReadFaceTables(*cached);

  if (cache.size() >= kCachedFaces) cache.pop_back();
  cache.insert(cache.begin(), cached);
  return cached;
}

void ClearFaceCache() {
  FaceCache().clear();
}

int AverageCharWidth(CachedFace& cached) {
  if (cached.avgCharWidth >= 0) return cached.avgCharWidth;
  FT_Face face = cached.face.get();
  long long sum = 0;
  long long counted = 0;
  std::vector<FT_Fixed> advances(static_cast<std::size_t>(std::max<FT_Long>(face->num_glyphs, 0)));
  if (!advances.empty() && FT_Get_Advances(face, 0, static_cast<FT_UInt>(advances.size()),
                                           FT_LOAD_NO_SCALE, advances.data()) == 0) {
    for (FT_Fixed advance : advances) {
      if (advance > 0) {
        sum += advance;
        ++counted;
      }
    }
  }
  cached.avgCharWidth = counted > 0 ? static_cast<int>((sum + counted / 2) / counted) : 0;
  return cached.avgCharWidth;
}
