// Builds the ExportSet from the dialog's export fields.
#include "render/export_set.h"

#include <algorithm>
#include <limits>
#include <string>

#include "dialog/control_ids.h"
#include "dialog/dialog_fields.h"
#include "dialog/mode_buttons.h"
#include "text/windows1252.h"

namespace {

// The characters field is read with a 512-byte buffer: 511 bytes of codes count.
constexpr std::size_t kMaxCharacterBytes = 511;

void SetCodes(ExportSet& set, int first, int last, bool value) {
  first = std::max(first, 0);
  last = std::min(last, 255);
  for (int code = first; code <= last; ++code) set[code] = value;
}

}  // namespace

std::string ReadExportCharacters(Dialog& dlg) {
  // The limit counts Windows-1252 bytes, so the whole UTF-8 text is converted first.
  std::string text = Utf8ToCp1252(ReadText(dlg, kIdCharacters, std::numeric_limits<int>::max()));
  if (text.size() > kMaxCharacterBytes) text.resize(kMaxCharacterBytes);
  return text;
}

ExportSet BuildExportSetFrom(ExportMode mode, std::string_view cp1252Text, int from, int to) {
  ExportSet set{};
  switch (mode) {
    case ExportMode::kAll:
      SetCodes(set, 32, 255, true);
      for (unsigned char code : cp1252Text) set[code] = false;
      break;
    case ExportMode::kNormal:
      SetCodes(set, 32, 127, true);
      for (unsigned char code : cp1252Text) set[code] = false;
      break;
    case ExportMode::kRange:
      SetCodes(set, from, to, true);
      for (unsigned char code : cp1252Text) set[code] = code < from || code > to;
      break;
    case ExportMode::kUserDefined:
      for (unsigned char code : cp1252Text) set[code] = true;
      break;
  }
  return set;
}

ExportSet BuildExportSet(Dialog& dlg) {
  const std::string text = ReadExportCharacters(dlg);
  const ExportMode mode = ReadExportMode(dlg);
  int from = 0, to = 0;
  if (mode == ExportMode::kRange) {
    from = ReadInt(dlg, kIdRangeFrom);
    to = ReadInt(dlg, kIdRangeTo);
  }
  return BuildExportSetFrom(mode, text, from, to);
}
