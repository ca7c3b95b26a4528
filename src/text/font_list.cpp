// The installed typefaces: fontconfig lists the files, each file is named from its
// own name table, and the files are grouped by that name.
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <tuple>

#include "text/case_fold.h"
#include "text/catalog_cache.h"
#include "text/face_cache.h"
#include "text/font_catalog.h"
#include "text/font_list.h"
#include "text/font_source.h"
#include "text/fontconfig_start.h"
#include "text/ft_handles.h"
#include "text/sfnt_names.h"
#include "text/size_rules.h"
#include "text/windows1252.h"
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H
#include FT_TRUETYPE_TABLES_H

namespace {

// Names a face by opening it with FreeType: the slow way, for what the byte reader
// does not understand (WOFF, damaged tables).
bool ReadWithFreeType(const FontSourcePtr& source, long index, SfntFaceInfo& info) {
  FtLibraryPtr library = SharedFreeTypeLibrary();
  if (!library) return false;
  const SourceFace opened = OpenSourceFace(library.get(), source, index);
  if (!opened.face) return false;
  FT_Face raw = opened.face.get();

  info.family.clear();
  if (FT_IS_SFNT(raw)) {
    std::vector<SfntNameRecord> records;
    const FT_UInt count = FT_Get_Sfnt_Name_Count(raw);
    for (FT_UInt i = 0; i < count; ++i) {
      FT_SfntName name;
      if (FT_Get_Sfnt_Name(raw, i, &name) != 0 || name.name_id != TT_NAME_ID_FONT_FAMILY) {
        continue;
      }
      records.push_back(
          {name.platform_id, name.encoding_id, name.language_id,
           std::string_view(reinterpret_cast<const char*>(name.string), name.string_len)});
    }
    info.family = PickFamilyName(records);
  }
  if (info.family.empty() && raw->family_name != nullptr) info.family = raw->family_name;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(raw, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF) {
    info.weight = NormalizeWeightClass(os2->usWeightClass);
    info.italic = (os2->fsSelection & 1) != 0;
  } else {
    info.weight = (raw->style_flags & FT_STYLE_FLAG_BOLD) ? 700 : 400;
    info.italic = (raw->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
  }
  return !info.family.empty();
}

// The style fontconfig recorded for a pattern.
void ReadPatternStyle(FcPattern* pattern, int& weight, bool& italic) {
  double fcWeight = 0;
  if (FcPatternGetDouble(pattern, FC_WEIGHT, 0, &fcWeight) == FcResultMatch) {
    // -1 for a weight beyond fontconfig's scale: the default stays.
    const double openType = FcWeightToOpenTypeDouble(fcWeight);
    if (openType >= 1) weight = static_cast<int>(openType + 0.5);
  }
  int slant = FC_SLANT_ROMAN;
  if (FcPatternGetInteger(pattern, FC_SLANT, 0, &slant) == FcResultMatch) {
    italic = slant != FC_SLANT_ROMAN;
  }
}

// Names one listed face. sfnt files are read directly; other formats carry the
// family fontconfig recorded from FreeType's family_name when it scanned them.
bool NameListedFace(FcPattern* pattern, TypefaceFile& entry) {
  FcChar8* file = nullptr;
  if (FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch) return false;
  int index = 0;
  FcPatternGetInteger(pattern, FC_INDEX, 0, &index);
  entry.file = reinterpret_cast<const char*>(file);
  entry.index = index;

  const Result<FontSourcePtr> opened = OpenFontSource(entry.file);
  if (!opened) return false;
  const FontSourcePtr& source = *opened;
  const std::uint32_t signature = ReadSignature(*source);
  if (signature == 0) return false;
  SfntFaceInfo info;
  if (IsSfntSignature(signature)) {
    if (Result<SfntFaceInfo> read = ReadSfntFaceInfo(source->fd.get(), index)) {
      info = std::move(*read);
    } else if (!ReadWithFreeType(source, index, info)) {
      return false;
    }
    entry.family = std::move(info.family);
    entry.weight = info.weight;
    entry.italic = info.italic;
    entry.trueType = signature != 0x74797031;  // "typ1": Type 1 in an sfnt wrapper
    // A named instance of a variable font shares the default instance's OS/2.
    if ((index >> 16) != 0) ReadPatternStyle(pattern, entry.weight, entry.italic);
    return true;
  }
  if (signature == 0x774F4646 || signature == 0x774F4632) {  // "wOFF", "wOF2"
    if (!ReadWithFreeType(source, index, info)) return false;
    entry.family = std::move(info.family);
    entry.weight = info.weight;
    entry.italic = info.italic;
    entry.trueType = true;
    return true;
  }
  FcChar8* family = nullptr;
  if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) != FcResultMatch) return false;
  entry.family = reinterpret_cast<const char*>(family);
  ReadPatternStyle(pattern, entry.weight, entry.italic);
  return !entry.family.empty();
}

// Orders the files by name and lists each typeface once; names differing only in
// case are one typeface.
void SortCatalog(FontCatalog& catalog) {
  std::sort(catalog.files.begin(), catalog.files.end(),
            [](const TypefaceFile& a, const TypefaceFile& b) {
              return std::tie(a.key, a.family, a.file, a.index) <
                     std::tie(b.key, b.family, b.file, b.index);
            });
  for (std::size_t i = 0; i < catalog.files.size(); ++i) {
    if (i == 0 || catalog.files[i].key != catalog.files[i - 1].key) {
      catalog.typefaces.push_back(catalog.files[i].family);
    }
  }
}

}  // namespace

std::u32string FoldedKey(std::string_view name) {
  std::u32string key = DecodeUtf8(name);
  for (char32_t& ch : key) ch = FoldCase(ch);
  return key;
}

FontCatalog BuildFontCatalog() {
  FontCatalog catalog;
  if (!StartFontconfig()) return catalog;
  const FcPatternPtr all(FcPatternCreate());
  const FcObjectSetPtr objects(
      FcObjectSetBuild(FC_FILE, FC_INDEX, FC_FAMILY, FC_WEIGHT, FC_SLANT, nullptr));
  if (!all || !objects) return catalog;
  const FcFontSetPtr fonts(FcFontList(nullptr, all.get(), objects.get()));
  if (!fonts) return catalog;

  catalog.files.reserve(static_cast<std::size_t>(fonts->nfont));
  for (int i = 0; i < fonts->nfont; ++i) {
    TypefaceFile entry;
    if (!NameListedFace(fonts->fonts[i], entry)) continue;
    entry.key = FoldedKey(entry.family);
    catalog.files.push_back(std::move(entry));
  }

  SortCatalog(catalog);
  return catalog;
}

namespace {

FontCatalog& SessionCatalog() {
  static FontCatalog catalog = LoadFontCatalog();
  return catalog;
}

// Names face index of an added file, read through source, as an installed one is
// named; without fontconfig's record, formats other than sfnt take FreeType's family
// and style.
bool NameAddedFace(const FontSourcePtr& source, const std::string& path, long index,
                   TypefaceFile& entry) {
  const std::uint32_t signature = ReadSignature(*source);
  SfntFaceInfo info;
  if (IsSfntSignature(signature)) {
    if (Result<SfntFaceInfo> read = ReadSfntFaceInfo(source->fd.get(), index)) {
      info = std::move(*read);
    } else if (!ReadWithFreeType(source, index, info)) {
      return false;
    }
    entry.trueType = signature != 0x74797031;  // "typ1": Type 1 in an sfnt wrapper
  } else {
    if (!ReadWithFreeType(source, index, info)) return false;
    entry.trueType = signature == 0x774F4646 || signature == 0x774F4632;  // WOFF, WOFF2
  }
  entry.family = std::move(info.family);
  entry.weight = info.weight;
  entry.italic = info.italic;
  entry.file = path;
  entry.index = index;
  entry.source = source;
  entry.added = true;
  entry.key = FoldedKey(entry.family);
  return true;
}

}  // namespace

const FontCatalog& InstalledFontCatalog() {
  return SessionCatalog();
}

Result<std::vector<std::string>> AddFontFile(const std::string& path) {
  const std::string refusal = "Could not open the font file \"" + path + "\": ";
  // Opened once, without blocking: everything below reads through this descriptor, so
  // that a FIFO or another file renamed over path meanwhile is never read.
  const Result<FontSourcePtr> opened = OpenFontSource(path);
  if (!opened) {
    // Every failure but a file that is not regular comes with the system's errno.
    const Status& why = opened.status();
    if (why.error == 0) return Failure(refusal + "it is not a regular file.");
    return Failure(refusal + why.message, why.error);
  }
  const FontSourcePtr& source = *opened;

  // The face count, from face -1 as FreeType offers it.
  long faces = 0;
  if (FtLibraryPtr library = SharedFreeTypeLibrary()) {
    const SourceFace counted = OpenSourceFace(library.get(), source, -1);
    if (counted.face) faces = counted.face->num_faces;
  }
  // An absolute path, so that the settings can find the file again from elsewhere.
  std::error_code ignored;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
  const std::string file = absolute.empty() ? path : absolute.string();

  std::vector<TypefaceFile> entries;
  std::vector<std::string> families;
  for (long index = 0; index < faces && index < 0x10000; ++index) {
    TypefaceFile entry;
    if (!NameAddedFace(source, file, index, entry)) continue;
    families.push_back(entry.family);
    entries.push_back(std::move(entry));
  }
  if (entries.empty()) return Failure(refusal + "it is not a font FreeType can read.");
  FontCatalog& catalog = SessionCatalog();
  for (TypefaceFile& entry : entries) {
    if (FindCatalogFile(catalog, entry.file, entry.index) == nullptr) {
      catalog.files.push_back(std::move(entry));
    }
  }
  catalog.typefaces.clear();
  SortCatalog(catalog);
  return families;
}

void ForgetAddedFontFiles() {
  FontCatalog& catalog = SessionCatalog();
  std::erase_if(catalog.files, [](const TypefaceFile& entry) { return entry.added; });
  catalog.typefaces.clear();
  SortCatalog(catalog);
}

std::string AddedFontFileOf(const std::string& family) {
  for (const TypefaceFile& entry : FindTypefaceFiles(SessionCatalog(), family)) {
    if (entry.added) return entry.file;
  }
  return {};
}

const std::vector<std::string>& InstalledTypefaces() {
  return InstalledFontCatalog().typefaces;
}

std::span<const TypefaceFile> FindTypefaceFiles(const FontCatalog& catalog,
                                                const std::string& family) {
  const std::u32string key = FoldedKey(family);
  const auto first = std::lower_bound(
      catalog.files.begin(), catalog.files.end(), key,
      [](const TypefaceFile& entry, const std::u32string& k) { return entry.key < k; });
  auto last = first;
  while (last != catalog.files.end() && last->key == key) ++last;
  return {first, last};
}

const TypefaceFile* FindCatalogFile(const FontCatalog& catalog, const std::string& file,
                                    long index) {
  for (const TypefaceFile& entry : catalog.files) {
    if (entry.index == index && entry.file == file) return &entry;
  }
  return nullptr;
}
