// Owning holders for the FreeType and fontconfig objects this layer uses, so that
// every path releases them.
#pragma once

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H

#include <memory>

struct FtLibraryDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FtFaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
struct FtSizeDeleter {
  void operator()(FT_Size size) const { FT_Done_Size(size); }
};
struct FcPatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct FcObjectSetDeleter {
  void operator()(FcObjectSet* set) const { FcObjectSetDestroy(set); }
};
struct FcFontSetDeleter {
  void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};

// The library is shared: every face holds it, so it is released after the last face
// whatever order the holders go in.
using FtLibraryPtr = std::shared_ptr<FT_LibraryRec_>;
using FtFacePtr = std::unique_ptr<FT_FaceRec_, FtFaceDeleter>;
using FtSizePtr = std::unique_ptr<FT_SizeRec_, FtSizeDeleter>;
using FcPatternPtr = std::unique_ptr<FcPattern, FcPatternDeleter>;
using FcObjectSetPtr = std::unique_ptr<FcObjectSet, FcObjectSetDeleter>;
using FcFontSetPtr = std::unique_ptr<FcFontSet, FcFontSetDeleter>;
