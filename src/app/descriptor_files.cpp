// Writing the descriptors of a saved sheet.
#include "app/descriptor_files.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "descriptor/descriptors.h"
#include "fileio/replace_file.h"
#include "render/sheet_pipeline.h"

namespace {

constexpr std::string_view kFntExtension = ".fnt";
constexpr std::string_view kJsonExtension = ".json";
constexpr std::string_view kCExtension = ".h";

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

SheetDescription DescribeSheet(const Sheet& sheet, const SheetOptions& options,
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

std::string DescriptorBasePath(const std::string& sheetPath) {
  const std::size_t nameStart =
      sheetPath.rfind('/') == std::string::npos ? 0 : sheetPath.rfind('/') + 1;
  const std::size_t dot = sheetPath.rfind('.');
  if (dot == std::string::npos || dot <= nameStart) return sheetPath;
  return sheetPath.substr(0, dot);
}

std::size_t LongestDescriptorExtension(const DescriptorChoice& want) {
  std::size_t longest = 0;
  if (want.fnt) longest = std::max(longest, kFntExtension.size());
  if (want.json) longest = std::max(longest, kJsonExtension.size());
  if (want.c) longest = std::max(longest, kCExtension.size());
  return longest;
}

std::string DescriptorNameFault(const DescriptorChoice& want, const std::string& sheetPath) {
  const std::string name = FileNameOf(sheetPath);
  if (!want.fnt || FntCanHold(name)) return "";
  return "The .fnt descriptor cannot name the sheet \"" + name +
         "\": a double quote or a control character cannot be written in it!";
}

std::vector<DescriptorFile> DescriptorFiles(const Sheet& sheet, const SheetOptions& options,
                                            const std::string& sheetPath) {
  const DescriptorChoice& want = options.descriptors;
  std::vector<DescriptorFile> files;
  if (!want.fnt && !want.json && !want.c) return files;
  const SheetDescription description = DescribeSheet(sheet, options, sheetPath);
  const std::string base = DescriptorBasePath(sheetPath);
  if (want.fnt) files.push_back({base + std::string(kFntExtension), FntDescriptor(description)});
  if (want.json) {
    files.push_back({base + std::string(kJsonExtension), JsonDescriptor(description)});
  }
  if (want.c) {
    files.push_back({base + std::string(kCExtension),
                     CHeaderDescriptor(description, FileNameOf(base), sheet.monoThreshold)});
  }
  return files;
}

int SaveSheetAndDescriptors(const Sheet& sheet, const SheetOptions& options,
                            const std::string& sheetPath, FREE_IMAGE_FORMAT format,
                            MessageSink& sink, std::vector<std::string>* written) {
  const std::vector<DescriptorFile> descriptors = DescriptorFiles(sheet, options, sheetPath);
  std::vector<FileReplacement> companions;
  companions.reserve(descriptors.size());
  for (const DescriptorFile& file : descriptors) companions.push_back({file.path, file.text});
  const bool sheetSaved = SaveSheet(sheet, sheetPath, format, sink, companions).ok;
  bool allSaved = sheetSaved;
  for (const FileReplacement& file : companions) {
    allSaved = allSaved && file.status.ok;
    if (!file.failed) continue;
    // Only a failure in a batch's last steps leaves the sheet written without it.
    sink.Show("Could not write the descriptor file \"" + file.path + "\"!" +
                  (sheetSaved ? "" : " The sheet was not saved either."),
              "Error", MessageIcon::kWarning);
  }
  if (allSaved && written) {
    for (const DescriptorFile& file : descriptors) written->push_back(file.path);
  }
  return allSaved ? kOk : kFailed;
}
