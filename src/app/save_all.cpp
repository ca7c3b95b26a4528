// The "Save all" batch.
#include "app/save_all.h"

#include <algorithm>

#include "app/read_sheet_options.h"

#include "app/autosize_command.h"
#include "app/descriptor_files.h"
#include "app/export_commands.h"
#include "dialog/dialog_fields.h"
#include "dialog/font_fields.h"
#include "dialog/mode_buttons.h"
#include "image/texture_image.h"
#include "options/control_ids.h"
#include "render/sheet_pipeline.h"

namespace {

constexpr std::string_view kExtension = ".png";

// name cut to at most limit bytes, never inside a UTF-8 sequence. A name that is not
// valid UTF-8 is cut after at most three steps back.
std::string CutAtCharacter(std::string_view name, std::size_t limit) {
  if (name.size() <= limit) return std::string(name);
  std::size_t cut = limit;
  auto continuation = [&](std::size_t at) { return (name[at] & 0xC0) == 0x80; };
  for (int back = 0; back < 3 && cut > 0 && continuation(cut); ++back) --cut;
  return std::string(name.substr(0, cut));
}

// Whether the color mode that the export run picks fills from the texture.
bool ColorModeUsesTexture(Dialog& dlg) {
  const std::optional<ColorMode> mode = ReadColorMode(dlg);
  return mode && UsesTexture(*mode);
}

}  // namespace

std::string SafeFileName(std::string_view face) {
  std::string name(face);
  for (char& c : name) {
    if (c == '/' || c == '\\' || c == '\0') c = '_';
  }
  if (name.empty()) return "_";
  if (name[0] == '.') name[0] = '_';
  return name;
}

std::string OutputFileName(std::string_view face, std::set<std::string>& taken,
                           std::size_t longestExtension, int pages) {
  const std::string base = SafeFileName(face);
  // The last page's name is the longest: "_" and its number before the extension.
  const std::size_t pageSuffix = pages > 1 ? 1 + std::to_string(pages - 1).size() : 0;
  const std::size_t room =
      kMaxFileNameBytes - std::max(kExtension.size() + pageSuffix, longestExtension);
  std::string suffix;
  for (int n = 2;; ++n) {
    std::string name = CutAtCharacter(base, room - suffix.size()) + suffix;
    name += kExtension;
    bool free = true;
    for (int page = 0; page < pages && free; ++page) {
      free = !taken.contains(PageFileName(name, page));
    }
    if (free) {
      for (int page = 0; page < pages; ++page) taken.insert(PageFileName(name, page));
      return name;
    }
    suffix = " (" + std::to_string(n) + ")";
  }
}

int SaveAllFonts(Dialog& dlg) {
  // One validation for the whole batch; each face changes only the font.
  std::optional<SheetOptions> options = CheckedSheetOptions(dlg);
  if (!options) return 1;

  // A texture that cannot load would fail every face: say so once (the loader's own
  // message) and stop before anything is asked or written. Each export loads it again.
  if (ColorModeUsesTexture(dlg) && !LoadTextureImage(options->texturePath, dlg.host)) return 1;
  // So would a font file that the cells or the map are too large for.
  if (const std::string fault = DescriptorNameFault(*options, ""); !fault.empty()) {
    dlg.host.MessageBox(fault, "Error", MessageIcon::kWarning);
    return 1;
  }

  // The folder.
  const std::optional<std::string> folder = dlg.host.AskFolder("Select the output folder");
  if (!folder) return 1;
  std::string prefix = *folder;
  if (prefix.empty() || prefix.back() != '/') prefix += '/';

  // Each face in list order; a failing face does not stop the batch.
  const int count = FontListCount(dlg);
  std::set<std::string> taken;
  // Every file of a face (sheet, descriptors and font files) must fit the file system.
  const std::size_t longestExtension = LongestDescriptorExtension(*options);
  const int pages = PageCount(options->grid, static_cast<int>(options->charMap.cells.size()));
  int saved = 0, failures = 0;
  dlg.host.BeginProgress("Save all", count);
  for (int i = 0; i < count; ++i) {
    FontListSelect(dlg, i);
    dlg.host.DispatchPendingMessages();
    const std::string face = FontListEntry(dlg, i);
    if (!dlg.host.UpdateProgress(i, face)) break;
    options->font = ReadFontRequest(dlg);
    Autosize(dlg, *options, AutosizeMode::kProportional);
    options->font = ReadFontRequest(dlg);  // with the height Autosize chose
    const std::string name = OutputFileName(face, taken, longestExtension, pages);
    const int result = ExportSheet(dlg, *options, prefix + name, false);
    if (result == kStopped) break;  // Cancel, pressed while the face was drawn
    if (result != kOk) {
      // The run's own message (if any) does not say which face it was about.
      dlg.host.MessageBox("Could not save the sheet of \"" + face + "\"!", "Error",
                          MessageIcon::kWarning);
      ++failures;
    } else {
      ++saved;
    }
  }
  dlg.host.UpdateProgress(count, "");
  dlg.host.EndProgress();
  std::string status = "Save all: " + std::to_string(saved) + " sheets saved in " + *folder;
  if (failures > 0) status += ", " + std::to_string(failures) + " failed";
  dlg.host.ShowStatus(status);

  dlg.host.MessageBox("Save all has finished!", "Finished", MessageIcon::kInformation);
  return failures > 0 ? 1 : 0;
}
