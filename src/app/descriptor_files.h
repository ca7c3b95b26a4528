// The descriptor files beside a saved sheet: sheet.png gets sheet.fnt, sheet.json and
// sheet.h, as the options ask.
#pragma once

#include <string>
#include <vector>

#include "base/message_sink.h"
#include "descriptor/descriptors.h"
#include "options/sheet_options.h"
#include "render/sheet_pipeline.h"

// The sheet's path without its extension: "out/font.png" gives "out/font". A name
// whose only dot starts it (".png") has no extension.
std::string DescriptorBasePath(const std::string& sheetPath);

// One descriptor file: where it goes and what it holds.
struct DescriptorFile {
  std::string path;
  std::string text;
};

// The longest extension, dot included, of the descriptors that want asks for: 5 for
// ".json", else 4 (".fnt") or 2 (".h"); 0 for none.
std::size_t LongestDescriptorExtension(const DescriptorChoice& want);

// Why the descriptors that want asks for cannot describe a sheet saved as sheetPath, or
// "" when they can: the .fnt cannot hold a file name with a double quote or a control
// character.
std::string DescriptorNameFault(const DescriptorChoice& want, const std::string& sheetPath);

// What the descriptors and font files are made from: the sheet's values with the face
// and styles of options and the file name of sheetPath. It points into sheet.
SheetDescription DescribeSheet(const Sheet& sheet, const SheetOptions& options,
                               const std::string& sheetPath);

// The descriptors that options.descriptors asks for, beside sheetPath with its base
// name. The C header's bits are the mono output's, at options.monoThreshold.
std::vector<DescriptorFile> DescriptorFiles(const Sheet& sheet, const SheetOptions& options,
                                            const std::string& sheetPath);

// Saves the sheet (SaveSheet, with its messages) and its descriptors, all or none.
// Returns kOk, or kFailed after the sheet's message, or after "Could not write the
// descriptor file "<path>"! The sheet was not saved either." for the descriptor that
// could not be written (without the second sentence in the rare case that the sheet
// was written: see WriteFilesReplacing).
// written, when given, gets the descriptors' paths once all are written.
int SaveSheetAndDescriptors(const Sheet& sheet, const SheetOptions& options,
                            const std::string& sheetPath, FREE_IMAGE_FORMAT format,
                            MessageSink& sink, std::vector<std::string>* written = nullptr);
