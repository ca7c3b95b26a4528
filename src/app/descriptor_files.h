// The descriptor files beside a saved sheet: sheet.png gets sheet.fnt, sheet.json and
// sheet.h, as the options ask.
#pragma once

#include <string>

#include "base/message_sink.h"
#include "glyph/sheet_options.h"
#include "render/sheet_pipeline.h"

// The sheet's path without its extension: "out/font.png" gives "out/font". A name
// whose only dot starts it (".png") has no extension.
std::string DescriptorBasePath(const std::string& sheetPath);

// Writes the descriptors that options.descriptors asks for beside sheetPath, each
// through the checked replace path, side by side. Returns kOk, or kFailed after
// "Could not write the descriptor file "<path>"!" for each that could not be written.
// The C header's bits are the mono output's, at options.monoThreshold.
int WriteDescriptorFiles(const Sheet& sheet, const SheetOptions& options,
                         const std::string& sheetPath, MessageSink& sink);
