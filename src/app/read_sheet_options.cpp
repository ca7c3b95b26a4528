// Reads a sheet's options from the dialog.
#include "app/read_sheet_options.h"

#include <limits>

#include "dialog/control_ids.h"
#include "dialog/dialog_fields.h"
#include "dialog/font_fields.h"
#include "dialog/layout_fields.h"
#include "dialog/mode_buttons.h"
#include "image/texture_image.h"
#include "text/windows1252.h"

namespace {

// The characters field is read with a 512-byte buffer: 511 bytes of codes count.
constexpr std::size_t kMaxCharacterBytes = 511;

ColorTriple ReadColorTriple(Dialog& dlg, int firstId) {
  ColorTriple color;
  color.red = ReadInt(dlg, firstId);
  color.green = ReadInt(dlg, firstId + 1);
  color.blue = ReadInt(dlg, firstId + 2);
  return color;
}

// The characters text as UTF-8. With the cp1252 map the text counts as the codes it
// holds: the characters Windows-1252 cannot hold are dropped and the limit counts its
// bytes, so the whole text is converted, cut, and given back as UTF-8.
std::string ReadExportCharacters(Dialog& dlg, CharMapKind map) {
  const std::string utf8 = ReadText(dlg, kIdCharacters, std::numeric_limits<int>::max());
  if (map != CharMapKind::kCp1252) return utf8;
  std::string codes = Utf8ToCp1252(utf8);
  if (codes.size() > kMaxCharacterBytes) codes.resize(kMaxCharacterBytes);
  return Cp1252ToUtf8(codes);
}

}  // namespace

SheetOptions ReadSheetOptions(Dialog& dlg) {
  SheetOptions options;
  options.font = ReadFontRequest(dlg);
  options.tileSize = ReadInt(dlg, kIdTileSize);
  // Validation has refused unusable layout fields; here they keep their defaults.
  if (!ReadCellFields(dlg, options.cell).empty()) options.cell = {};
  if (!ReadGridFields(dlg, options.grid).empty()) options.grid = {};
  if (!ReadCharMapField(dlg, options.charMap).empty()) options.charMap = {};
  options.colorSteps = ReadInt(dlg, kIdColorSteps);
  options.bg = ReadColorTriple(dlg, kIdBgRed);
  options.top = ReadColorTriple(dlg, kIdTopRed);
  options.sub = ReadColorTriple(dlg, kIdSubRed);
  options.exportMode = ReadExportMode(dlg);
  options.exportText = ReadExportCharacters(dlg, options.charMap.kind);
  if (options.exportMode == ExportMode::kRange) {
    options.rangeFrom = ReadInt(dlg, kIdRangeFrom);
    options.rangeTo = ReadInt(dlg, kIdRangeTo);
  }
  options.colorMode = ReadColorMode(dlg);
  options.center = IsChecked(dlg, kIdCenter);
  options.trim = IsChecked(dlg, kIdTrimOverflow);
  options.texturePath = ReadTexturePath(dlg);
  options.output = ReadOutputKind(dlg);
  options.monoThreshold = ReadMonoThreshold(dlg);
  options.descriptors.fnt = IsChecked(dlg, kIdDescriptorFnt);
  options.descriptors.json = IsChecked(dlg, kIdDescriptorJson);
  options.descriptors.c = IsChecked(dlg, kIdDescriptorC);
  return options;
}

std::string ReadTexturePath(Dialog& dlg) {
  return ReadText(dlg, kIdTexturePath, kTexturePathReadBuffer);
}
