// Fallback faces: the faces that draw the characters a sheet's own face lacks.
//
// The entries are tried in order for each character the face has no glyph for: a named
// typeface, matched as a font request is, or "system", fontconfig's best cover of that
// character (its font sort for the sheet's face and style, one per run, read per
// character through each face's character set). Every fallback font has the sheet
// font's request (Char height and width, weight, slant, underline) with its own face, so
// the sizing rules of size_rules.h apply to it as they apply to the sheet's font.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "text/text_font.h"

struct FallbackFace {
  bool system = false;  // fontconfig's best face for each character
  std::string face;     // otherwise this typeface name, UTF-8
};

struct SystemFaces;  // fontconfig's sorted faces for the request, made on first use

struct FallbackFonts {
  std::vector<FallbackFace> entries;
  FontRequest request;  // the sheet font's request; each entry's face replaces its face
  bool mono = false;    // draw in 1 bit, unhinted, as an exact pixel font sheet does
  // What was opened so far: each named entry's font (null until tried, and for system),
  // the system faces and their fonts by file and index, and the font chosen for each
  // character asked about (null: no entry has it).
  std::vector<TextFontPtr> named;
  std::vector<bool> namedTried;
  std::shared_ptr<SystemFaces> system;
  std::unordered_map<std::string, TextFontPtr> systemFonts;
  std::unordered_map<char32_t, TextFontPtr> chosen;
};

// The fallback fonts of entries for a sheet drawn with request. Opens nothing yet.
FallbackFonts MakeFallbackFonts(std::vector<FallbackFace> entries, const FontRequest& request,
                                bool mono);

// The font of the first entry whose face has ch, opened on first use and kept for the
// run; nullptr when no entry has it (or no entry can be opened). Asking again for the
// same character costs one lookup.
TextFontPtr FallbackFontFor(FallbackFonts& fonts, char32_t ch);
