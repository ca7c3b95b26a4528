// Writing the descriptors of a saved sheet.
#include "app/descriptor_files.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "base/status.h"
#include "descriptor/descriptors.h"
#include "descriptor/font_files.h"
#include "fileio/replace_file.h"
#include "layout/grid.h"
#include "render/sheet_pipeline.h"

namespace {

constexpr std::string_view kFntExtension = ".fnt";
constexpr std::string_view kFntXmlExtension = ".xml";
constexpr std::string_view kFntBinaryExtension = ".bin";
constexpr std::string_view kJsonExtension = ".json";
constexpr std::string_view kCExtension = ".h";
constexpr std::string_view kBdfExtension = ".bdf";
constexpr std::string_view kPsfExtension = ".psf";
constexpr std::string_view kOtbExtension = ".otb";

std::string FileNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FontFileRefusal(std::string_view format, const std::string& reason) {
  return "Could not make the " + std::string(format) + " font: " + reason;
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
  d.cellFaces = sheet.cellFaces;
  for (std::size_t k = 0; k < sheet.laterPages.size(); ++k) {
    d.laterPages.push_back(
        {.fileName = FileNameOf(PageFileName(sheetPath, static_cast<int>(k + 1))),
         .coverage = &sheet.laterPages[k].coverage});
  }
  return d;
}

std::string DescriptorBasePath(const std::string& sheetPath) {
  const std::size_t nameStart =
      sheetPath.rfind('/') == std::string::npos ? 0 : sheetPath.rfind('/') + 1;
  const std::size_t dot = sheetPath.rfind('.');
  if (dot == std::string::npos || dot <= nameStart) return sheetPath;
  return sheetPath.substr(0, dot);
}

std::size_t LongestDescriptorExtension(const SheetOptions& options) {
  const DescriptorChoice& d = options.descriptors;
  const FontFileChoice& f = options.fontFiles;
  const std::pair<bool, std::string_view> files[] = {
      {d.fnt, kFntExtension},   {d.fntXml, kFntXmlExtension}, {d.fntBinary, kFntBinaryExtension},
      {d.json, kJsonExtension}, {d.c, kCExtension},           {f.bdf, kBdfExtension},
      {f.psf, kPsfExtension},   {f.otb, kOtbExtension}};
  std::size_t longest = 0;
  for (const auto& [wanted, extension] : files) {
    if (wanted) longest = std::max(longest, extension.size());
  }
  return longest;
}

std::string DescriptorNameFault(const SheetOptions& options, const std::string& sheetPath) {
  const std::string name = FileNameOf(sheetPath);
  if (options.descriptors.fnt && !sheetPath.empty() && !FntCanHold(name)) {
    return "The .fnt descriptor cannot name the sheet \"" + name +
           "\": a double quote or a control character cannot be written in it!";
  }
  if (options.descriptors.fntBinary) {
    std::vector<std::string> pages;
    const int count = PageCount(options.grid, static_cast<int>(options.charMap.cells.size()));
    for (int page = 0; page < count; ++page) pages.push_back(FileNameOf(PageFileName(name, page)));
    if (!BinaryPageNames(pages)) {
      return "The binary .fnt descriptor cannot name " + std::to_string(count) +
             " pages: its page names must be of one length. Write the .fnt or .xml "
             "descriptor instead, or raise Columns or Rows.";
    }
  }
  if (options.fontFiles.psf) {
    const Status limits = PsfLimitRefusal(CellPixels(options.cell, options.tileSize),
                                          static_cast<int>(options.charMap.cells.size()));
    if (!limits) return FontFileRefusal("PSF", limits.message);
  }
  return "";
}

Result<std::vector<DescriptorFile>> DescriptorFiles(const Sheet& sheet, const SheetOptions& options,
                                                    const std::string& sheetPath) {
  const DescriptorChoice& want = options.descriptors;
  const FontFileChoice& fonts = options.fontFiles;
  std::vector<DescriptorFile> files;
  const SheetDescription description = DescribeSheet(sheet, options, sheetPath);
  const std::string base = DescriptorBasePath(sheetPath);
  const auto add = [&](std::string_view extension, std::string bytes) {
    files.push_back({base + std::string(extension), std::move(bytes)});
  };
  if (want.fnt) add(kFntExtension, FntDescriptor(description));
  if (want.fntXml) add(kFntXmlExtension, FntXmlDescriptor(description));
  if (want.fntBinary) add(kFntBinaryExtension, FntBinaryDescriptor(description));
  if (want.json) add(kJsonExtension, JsonDescriptor(description));
  if (want.c) {
    add(kCExtension, CHeaderDescriptor(description, FileNameOf(base), sheet.monoThreshold));
  }
  const struct {
    bool wanted;
    std::string_view format;
    std::string_view extension;
    Result<std::string> (*make)(const SheetDescription&, int);
  } fontFiles[] = {{fonts.bdf, "BDF", kBdfExtension, BdfFont},
                   {fonts.psf, "PSF", kPsfExtension, PsfFont},
                   {fonts.otb, "OTB", kOtbExtension, OtbFont}};
  for (const auto& font : fontFiles) {
    if (!font.wanted) continue;
    Result<std::string> made = font.make(description, sheet.monoThreshold);
    if (!made) return Failure(FontFileRefusal(font.format, made.message()));
    add(font.extension, std::move(*made));
  }
  return files;
}

int SaveSheetAndDescriptors(const Sheet& sheet, const SheetOptions& options,
                            const std::string& sheetPath, FREE_IMAGE_FORMAT format,
                            MessageSink& sink, std::vector<std::string>* written) {
  const Result<std::vector<DescriptorFile>> descriptors =
      DescriptorFiles(sheet, options, sheetPath);
  if (!descriptors) {
    sink.Show(descriptors.message(), "Error", MessageIcon::kWarning);
    return kFailed;
  }
  std::vector<FileReplacement> companions;
  companions.reserve(descriptors->size());
  for (const DescriptorFile& file : *descriptors) companions.push_back({file.path, file.text});
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
    for (const DescriptorFile& file : *descriptors) written->push_back(file.path);
  }
  return allSaved ? kOk : kFailed;
}
