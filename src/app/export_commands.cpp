// "Save bitmap" and "Image preview (once)".
#include "app/export_commands.h"

#include "app/descriptor_files.h"
#include "app/read_sheet_options.h"
#include "app/status_text.h"
#include "base/status.h"
#include "color/overflow_flags.h"
#include "dialog/dialog_fields.h"
#include "options/control_ids.h"
#include "preview/cell_grid.h"
#include "preview/sheet_in_canvas.h"
#include "render/sheet_outputs.h"
#include "render/sheet_pipeline.h"
#include "text/windows1252.h"

namespace {

// The log after a run: the note, then the report (a cp1252 report holds raw Windows-1252
// bytes; the log shows them as characters).
std::string LogText(const Sheet& sheet) {
  std::string text = sheet.note.empty() ? std::string() : sheet.note + "\r\n";
  return text + (sheet.reportIsUtf8 ? sheet.report : Cp1252ToUtf8(sheet.report));
}

// The host as the run's sink, noting whether the user stopped the run.
class StoppableSink final : public MessageSink {
 public:
  explicit StoppableSink(MessageSink& inner) : inner_(inner) {}
  void Show(std::string_view text, std::string_view title, MessageIcon icon) override {
    inner_.Show(text, title, icon);
  }
  bool ReportProgress(int done, int total) override {
    stopped_ = !inner_.ReportProgress(done, total) || stopped_;
    return !stopped_;
  }
  bool stopped() const { return stopped_; }

 private:
  MessageSink& inner_;
  bool stopped_ = false;
};

}  // namespace

int ExportSheet(Dialog& dlg, const SheetOptions& options, const std::string& fileName,
                bool preview) {
  // The file name's format is decided once, before anything is drawn or shown.
  const std::optional<FREE_IMAGE_FORMAT> format =
      preview ? std::nullopt : SheetFileFormat(fileName);
  if (!preview && !format) {
    ShowImageLibraryFailure(fileName, dlg.host);
    dlg.host.MessageBox(kUnknownSheetFormatMessage, "Error", MessageIcon::kWarning);
    return kFailed;
  }

  // The program's flags start afresh with every run and take the run's on success.
  ClearOverflowFlags(SheetOverflowFlags());
  // A file beside the sheet that could not be made stops the run before anything is drawn.
  if (const std::string fault = DescriptorNameFault(options, fileName);
      !preview && !fault.empty()) {
    dlg.host.MessageBox(fault, "Error", MessageIcon::kWarning);
    return kFailed;
  }
  StoppableSink sink(dlg.host);
  const std::optional<Sheet> sheet = RenderSheet(options, sink);
  if (!sheet && sink.stopped()) {
    dlg.host.ShowStatus(preview ? "Stopped: the preview was not drawn."
                                : "Stopped: nothing was saved.");
    return kStopped;
  }
  if (!sheet) return kFailed;
  // A sheet without a character is neither saved nor shown; its report says why.
  if (sheet->noneFits) {
    SetText(dlg, kIdLog, LogText(*sheet));
    dlg.host.MessageBox(kNoneFitsMessage, "Error", MessageIcon::kWarning);
    return kFailed;
  }
  // A preview has no file, so no descriptors either.
  if (preview) {
    // Every page, one below another, so that the cell under the mouse names its page.
    std::vector<SheetView> pages;
    for (std::size_t page = 0; page <= sheet->laterPages.size(); ++page) {
      const Sheet& shown = page == 0 ? *sheet : sheet->laterPages[page - 1];
      pages.push_back({.colored = shown.bitmap.get(),
                       .coverage = shown.output == OutputKind::kSdf ? &shown.distance.pixels
                                                                    : &shown.coverage.pixels,
                       .kind = shown.output,
                       .monoThreshold = shown.monoThreshold,
                       .width = shown.width,
                       .height = shown.height});
    }
    RememberShownSheet(dlg, Preview(), sheet->grid, sheet->cellPx, sheet->map,
                       static_cast<int>(pages.size()));
    ShowSheetInCanvas(dlg, pages);
  } else {
    std::vector<std::string> descriptors;
    if (SaveSheetAndDescriptors(*sheet, options, fileName, *format, dlg.host, &descriptors) !=
        kOk) {
      return kFailed;
    }
    // Several pages are counted beside the depth: "..., 32-bit color, 4 pages".
    std::string depth(WrittenDepth(sheet->output, *format));
    if (!sheet->laterPages.empty()) {
      depth += ", " + std::to_string(1 + sheet->laterPages.size()) + " pages";
    }
    dlg.host.ShowStatus(
        SavedSheetStatus(fileName, sheet->width, sheet->height, depth, descriptors));
  }
  SheetOverflowFlags() = sheet->flags;
  SetText(dlg, kIdLog, LogText(*sheet));
  return kOk;
}

int ExportSheet(Dialog& dlg, const std::string& fileName, bool preview) {
  const std::optional<SheetOptions> options = CheckedSheetOptions(dlg);
  return options ? ExportSheet(dlg, *options, fileName, preview) : kFailed;
}

int SaveBitmapCommand(Dialog& dlg) {
  const std::optional<SheetOptions> options = CheckedSheetOptions(dlg);
  if (!options) return 1;
  FileDialogRequest request;
  request.title = "Save bitmap";
  request.filters = {{"PNG - Portable Network Graphics", "*.png"},
                     {"BMP - Windows Bitmaps", "*.bmp"},
                     {"TGA - Truevision Targa files", "*.tga"},
                     {"All Files", "*.*"}};
  request.defaultExtension = ".bmp";
  request.confirmOverwrite = true;
  const std::optional<std::string> file = dlg.host.AskSaveFile(request);
  if (!file) return 1;
  const int result = ExportSheet(dlg, *options, *file, false);
  if (result == kStopped) return 1;
  if (result != 0) {
    dlg.host.MessageBox("An error occurred while saving!", "Error", MessageIcon::kWarning);
    return 1;
  }
  return 0;
}

int ImagePreviewCommand(Dialog& dlg) {
  const std::optional<SheetOptions> options = CheckedSheetOptions(dlg);
  if (!options) return 1;
  SetChecked(dlg, kIdFontPreview, false);
  return ExportSheet(dlg, *options, "", true);
}
