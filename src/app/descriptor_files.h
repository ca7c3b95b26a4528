// The descriptor files beside a saved sheet: sheet.png gets sheet.fnt, sheet.json and
// sheet.h, as the options ask.
#pragma once

#include <string>
#include <vector>

#include "base/message_sink.h"
#include "glyph/sheet_options.h"
#include "render/sheet_pipeline.h"

// The sheet's path without its extension: "out/font.png" gives "out/font". A name
// whose only dot starts it (".png") has no extension.
std::string DescriptorBasePath(const std::string& sheetPath);

// One descriptor file: where it goes and what it holds.
struct DescriptorFile {
  std::string path;
  std::string text;
};

// The descriptors that options.descriptors asks for, beside sheetPath with its base
// name. The C header's bits are the mono output's, at options.monoThreshold.
std::vector<DescriptorFile> DescriptorFiles(const Sheet& sheet, const SheetOptions& options,
                                            const std::string& sheetPath);

// Saves the sheet (SaveSheet, with its messages) and, with it and only when it is saved,
// its descriptors, flushed to the disk together. Returns kOk, or kFailed after the
// sheet's message, or after "Could not write the descriptor file "<path>"!" for each
// descriptor that could not be written.
// written, when given, gets the descriptors' paths once all are written.
int SaveSheetAndDescriptors(const Sheet& sheet, const SheetOptions& options,
                            const std::string& sheetPath, MessageSink& sink,
                            std::vector<std::string>* written = nullptr);
