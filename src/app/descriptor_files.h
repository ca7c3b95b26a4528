// The files beside a saved sheet: sheet.png gets the descriptors sheet.fnt, sheet.xml,
// sheet.bin, sheet.json and sheet.h and the font files sheet.bdf, sheet.psf and
// sheet.otb, as the options ask.
#pragma once

#include <string>
#include <vector>

#include "base/message_sink.h"
#include "base/status.h"
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

// The longest extension, dot included, of the files beside the sheet that options ask
// for: 5 for ".json", else 4 (".fnt", ".xml", ".bin", ".bdf", ".psf", ".otb") or 2
// (".h"); 0 for none.
std::size_t LongestDescriptorExtension(const SheetOptions& options);

// Why the files that options ask for cannot go beside a sheet saved as sheetPath, or ""
// when they can, known before the sheet is drawn: the .fnt cannot hold a file name with
// a double quote or a control character, and a PSF font cannot hold cells wider than 32
// or higher than 64 pixels or a map of more than 512 cells, and the binary .fnt cannot
// name more than 10 pages (BinaryPageNames). An empty sheetPath checks
// the options alone.
std::string DescriptorNameFault(const SheetOptions& options, const std::string& sheetPath);

// What the descriptors and font files are made from: the sheet's values with the face
// and styles of options and the file name of sheetPath. It points into sheet.
SheetDescription DescribeSheet(const Sheet& sheet, const SheetOptions& options,
                               const std::string& sheetPath);

// The descriptors and font files that options.descriptors and options.fontFiles ask
// for, beside sheetPath with its base name. The bits of the C header and the font files
// are the mono output's, at the sheet's threshold. A font file that cannot be made from
// this sheet (PsfFont's limits, a font of no character) fails with "Could not make the
// FORMAT font: " and the reason.
Result<std::vector<DescriptorFile>> DescriptorFiles(const Sheet& sheet, const SheetOptions& options,
                                                    const std::string& sheetPath);

// Saves the sheet (SaveSheet, with its messages) and the files beside it, all or none.
// Returns kOk, or kFailed: after DescriptorFiles' message (title "Error"), before
// anything is written; after the sheet's message; or after "Could not write the
// descriptor file "<path>"! The sheet was not saved either." for the file that could
// not be written (without the second sentence in the rare case that the sheet was
// written: see WriteFilesReplacing).
// written, when given, gets the files' paths once all are written.
int SaveSheetAndDescriptors(const Sheet& sheet, const SheetOptions& options,
                            const std::string& sheetPath, FREE_IMAGE_FORMAT format,
                            MessageSink& sink, std::vector<std::string>* written = nullptr);
