// The typeface name and style of an sfnt font (TrueType, OpenType), read straight
// from the file's table directory, name table and OS/2 table.
//
// Listing the installed fonts needs only these few values per file; reading them
// from the bytes costs a handful of small reads instead of opening every face with
// FreeType.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"

// One record of name ID 1 (the family name) of a name table.
struct SfntNameRecord {
  int platform = 0;        // 0 Unicode, 1 Macintosh, 3 Windows
  int encoding = 0;        // platform-specific encoding ID
  int language = 0;        // platform-specific language ID
  std::string_view bytes;  // the raw string
};

// The family name among records as UTF-8: Windows platform (UTF-16BE) in US English,
// then another English, then any language; then Macintosh Roman English; then the
// Unicode platform; then Macintosh Roman in any language. Empty when none decodes.
std::string PickFamilyName(const std::vector<SfntNameRecord>& records);

// Text in Mac OS Roman as UTF-8.
std::string MacRomanToUtf8(std::string_view bytes);

struct SfntFaceInfo {
  std::string family;   // name ID 1, UTF-8
  int weight = 400;     // OS/2 usWeightClass, 100..1000
  bool italic = false;  // OS/2 fsSelection bit 0 (head macStyle without OS/2)
};

// True when the first four bytes of a file are an sfnt or font collection tag.
bool IsSfntSignature(std::uint32_t tag);

// Reads face faceIndex (a collection's face in the low 16 bits) of the sfnt file open
// as fd, by offset (the file position is neither used nor moved). Fails when the file is
// not an sfnt this reader understands or has no family name.
Result<SfntFaceInfo> ReadSfntFaceInfo(int fd, long faceIndex);
