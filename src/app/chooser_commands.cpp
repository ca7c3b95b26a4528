// Color choosers, the texture and character map browsers and the font file opener.
#include "app/chooser_commands.h"

#include "dialog/dialog_fields.h"
#include "dialog/font_file.h"
#include "dialog/layout_fields.h"
#include "layout/charmap.h"
#include "options/control_ids.h"

namespace {

// What the ranges prompt offers when no ranges are in use: printable ASCII.
constexpr std::string_view kExampleRanges = "U+0020..U+007E";

}  // namespace

std::array<std::uint32_t, 16>& CustomColors() {
  static std::array<std::uint32_t, 16> colors{};
  return colors;
}

void ChooseColorCommand(Dialog& dlg, int firstId) {
  const Rgb initial{ReadInt(dlg, firstId) & 0xFF, ReadInt(dlg, firstId + 1) & 0xFF,
                    ReadInt(dlg, firstId + 2) & 0xFF};
  const std::optional<Rgb> chosen = dlg.host.AskColor(initial, CustomColors());
  if (!chosen) return;
  SetInt(dlg, firstId, chosen->red);
  SetInt(dlg, firstId + 1, chosen->green);
  SetInt(dlg, firstId + 2, chosen->blue);
}

void BrowseTextureCommand(Dialog& dlg) {
  FileDialogRequest request;
  request.title = "Choose Image";
  request.filters = {{"All Files", "*.*"}};
  request.defaultExtension = ".bmp";
  const std::optional<std::string> file = dlg.host.AskOpenFile(request);
  if (file) SetText(dlg, kIdTexturePath, *file);
}

void BrowseCharMapCommand(Dialog& dlg) {
  FileDialogRequest request;
  request.title = "Choose character map";
  // Map files are plain text under any name, so no extension is added to a typed one.
  request.filters = {{"All Files", "*.*"}, {"Text files", "*.txt"}};
  const std::optional<std::string> file = dlg.host.AskOpenFile(request);
  if (!file) return;
  // The file is read now, so that a bad one is told at once and the map in use stays.
  const Result<CharMapChoice> choice = ParseCharMapName(*file);
  const Status loaded = choice ? LoadCharMap(*choice).status() : choice.status();
  if (!loaded) {
    dlg.host.MessageBox(loaded.message, "Error", MessageIcon::kWarning);
    return;
  }
  SetText(dlg, kIdCharMap, *file);
}

void AskUnicodeRangesCommand(Dialog& dlg) {
  const Result<CharMapChoice> current = ReadCharMapField(dlg);
  const bool ranges = current && current->kind == CharMapKind::kUnicode;
  const std::optional<std::string> text = dlg.host.AskText(
      "Unicode ranges", "Code points U+XXXX and ranges U+XXXX..U+YYYY, separated by commas:",
      ranges ? current->path : std::string(kExampleRanges));
  if (!text) return;
  // Checked now, as a map file is, so that the map in use stays when they are bad.
  const CharMapChoice choice{.kind = CharMapKind::kUnicode, .path = *text};
  if (const Result<CharMap> map = LoadCharMap(choice); !map) {
    dlg.host.MessageBox(map.message(), "Error", MessageIcon::kWarning);
    return;
  }
  SetText(dlg, kIdCharMap, CharMapName(choice));
}

void OpenFontFileCommand(Dialog& dlg) {
  FileDialogRequest request;
  request.title = "Open font file";
  request.filters = {
      {"Font files", "*.ttf *.ttc *.otf *.otc *.pfb *.pfa *.pcf *.pcf.gz *.bdf *.woff *.woff2"},
      {"All Files", "*.*"}};
  const std::optional<std::string> file = dlg.host.AskOpenFile(request);
  if (file && !file->empty() && OpenFontFile(dlg, *file) == 0) {
    dlg.host.FileUsed(UsedFileKind::kFontFile, *file);
  }
}
