// The installed font files grouped by typeface name: what the font list shows and
// what a font request is matched against. Internal to the text layer.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct FontSource;

struct TypefaceFile {
  std::string family;  // typeface name, UTF-8 (sfnt name ID 1, else FreeType's family)
  std::string file;    // path of the font file
  long index = 0;      // face index as FreeType takes it (named instance in the high bits)
  int weight = 400;    // OpenType weight class
  bool italic = false;
  bool trueType = false;  // a TrueType or OpenType file (else Type 1, CFF, bitmap ...)
  std::u32string key;     // the family with folded case: what sorting and lookup compare
  bool added = false;     // from a font file opened for this session (not installed)
  // An added file's descriptor, opened and checked once: its faces are read through it,
  // never through the path again. Null for installed files.
  std::shared_ptr<const FontSource> source;
};

struct FontCatalog {
  std::vector<std::string> typefaces;  // no duplicates, sorted ignoring case
  std::vector<TypefaceFile> files;     // by key, then family, path and index
};

// Enumerates the installed fonts with fontconfig and names each file. Does the work
// on every call; an empty catalog when fontconfig has nothing.
FontCatalog BuildFontCatalog();

// The catalog of this process, built on first use, with the font files added to it
// since (AddFontFile).
const FontCatalog& InstalledFontCatalog();

// The files of the typeface named family, compared ignoring case; empty when none.
std::span<const TypefaceFile> FindTypefaceFiles(const FontCatalog& catalog,
                                                const std::string& family);

// The catalog entry of (file, index), or nullptr.
const TypefaceFile* FindCatalogFile(const FontCatalog& catalog, const std::string& file,
                                    long index);

// A name with folded case; two names that differ only in case have the same key,
// and keys order names as CompareIgnoringCase does.
std::u32string FoldedKey(std::string_view name);
