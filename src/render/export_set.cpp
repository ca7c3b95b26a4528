// Builds the ExportSet from the export options.
#include "render/export_set.h"

#include <algorithm>
#include <string>

namespace {

void SetCodes(ExportSet& set, int first, int last, bool value) {
  first = std::max(first, 0);
  last = std::min(last, 255);
  for (int code = first; code <= last; ++code) set[code] = value;
}

}  // namespace

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

ExportSet BuildExportSet(const SheetOptions& options) {
  return BuildExportSetFrom(options.exportMode, options.exportCharacters, options.rangeFrom,
                            options.rangeTo);
}
