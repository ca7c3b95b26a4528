// Writing the descriptors of a saved sheet.
#include "app/descriptor_files.h"

#include <system_error>
#include <thread>
#include <vector>

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
                         const std::string& sheetPath, MessageSink& sink) {
  const DescriptorChoice& want = options.descriptors;
  if (!want.fnt && !want.json && !want.c) return kOk;
  const SheetDescription description = Describe(sheet, options, sheetPath);
  const std::string base = DescriptorBasePath(sheetPath);
  struct File {
    std::string path;
    std::string text;
    int result = kFailed;
  };
  std::vector<File> files;
  if (want.fnt) files.push_back({base + ".fnt", FntDescriptor(description)});
  if (want.json) files.push_back({base + ".json", JsonDescriptor(description)});
  if (want.c) {
    files.push_back(
        {base + ".h", CHeaderDescriptor(description, FileNameOf(base), options.monoThreshold)});
  }

  // Each write waits for its flush to the disk; side by side, the file system can commit
  // them together instead of one after another.
  // A thread that cannot be started leaves its file to this one.
  {
    std::vector<std::jthread> writers;
    for (File& file : files) {
      const auto write = [&file] { file.result = WriteFileReplacing(file.path, file.text); };
      try {
        writers.emplace_back(write);
      } catch (const std::system_error&) {
        write();
      }
    }
  }
  int result = kOk;
  for (const File& file : files) {
    if (file.result == kOk) continue;
    sink.Show("Could not write the descriptor file \"" + file.path + "\"!", "Error",
              MessageIcon::kWarning);
    result = kFailed;
  }
  return result;
}
