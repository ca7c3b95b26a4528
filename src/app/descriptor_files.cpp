// Writing the descriptors of a saved sheet.
#include "app/descriptor_files.h"

#include "base/status.h"
#include "descriptor/descriptors.h"
#include "fileio/replace_file.h"

namespace {

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

SheetDescription Describe(const Sheet& sheet, const SheetOptions& options,
                          const std::string& sheetPath) {
  SheetDescription d;
  d.sheetFileName = FileNameOf(sheetPath);
  if (options.font) {
    d.face = options.font->face;
    d.fontSizePx = options.font->height;
    d.bold = options.font->weight >= 700;
    d.italic = options.font->italic;
  }
  d.widthPx = sheet.width;
  d.heightPx = sheet.height;
  d.grid = sheet.grid;
  d.cellPx = sheet.cellPx;
  d.baselineRow = sheet.baselineRow;
  d.mapName = sheet.map.name;
  d.mapCells = sheet.map.cells;
  d.cells = sheet.drawnCells;
  d.coverage = &sheet.coverage;
  return d;
}

}  // namespace

std::string DescriptorBasePath(const std::string& sheetPath) {
  const std::size_t nameStart =
      sheetPath.rfind('/') == std::string::npos ? 0 : sheetPath.rfind('/') + 1;
  const std::size_t dot = sheetPath.rfind('.');
  if (dot == std::string::npos || dot <= nameStart) return sheetPath;
  return sheetPath.substr(0, dot);
}

int WriteDescriptorFiles(const Sheet& sheet, const SheetOptions& options,
                         const std::string& sheetPath, MessageSink& sink, int threshold) {
  const DescriptorChoice& want = options.descriptors;
  if (!want.fnt && !want.json && !want.c) return kOk;
  const SheetDescription description = Describe(sheet, options, sheetPath);
  const std::string base = DescriptorBasePath(sheetPath);
  const auto write = [&](const std::string& path, const std::string& text) {
    if (WriteFileReplacing(path, text) == 0) return kOk;
    sink.Show("Could not write the descriptor file \"" + path + "\"!", "Error",
              MessageIcon::kWarning);
    return kFailed;
  };
  if (want.fnt && write(base + ".fnt", FntDescriptor(description)) != kOk) return kFailed;
  if (want.json && write(base + ".json", JsonDescriptor(description)) != kOk) return kFailed;
  if (want.c &&
      write(base + ".h", CHeaderDescriptor(description, FileNameOf(base), threshold)) != kOk) {
    return kFailed;
  }
  return kOk;
}
