// Fuzzes the settings loader: each input is loaded as a settings file's contents,
// extension block included, into a started dialog on the headless host, then saved
// again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/dialog_proc.h"
#include "headless/headless_host.h"
#include "preview/preview_state.h"
#include "settings/settings_extension.h"
#include "settings/settings_file.h"
#include "settings/settings_layout.h"

// fontconfig keeps its configuration for the life of the process; that is not a leak
// of the code under test.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

namespace {

// One dialog for the whole run: setting it up lists the fonts, and without a preview
// canvas the loaded font fields do not redraw a sample, so each input costs only the
// load. Every input sets every field the file covers.
HeadlessHost host;
Dialog dlg{host};

Dialog& FuzzDialog() {
  static const bool started = [] {
    StartDialog(dlg);
    DeletePreviewCanvas(Preview());
    return true;
  }();
  (void)started;
  return dlg;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzDialog();
  host.ClearMessages();  // the recorded message boxes would otherwise pile up
  SettingsExtension extension;
  LoadSettingsFromBytes(dlg, std::string_view(reinterpret_cast<const char*>(data), size),
                        extension);
  // Whatever was loaded, the fields must still make a file of the current layout.
  if (EncodeSettings(dlg).size() != kSettingsFileSize) std::abort();
  // Whatever block was accepted must be written so that it reads back the same.
  const std::string block = EncodeSettingsExtension(extension);
  SettingsExtension again;
  std::string warning;
  if (!DecodeSettingsExtension(block, again, warning) || !(again == extension)) std::abort();
  if (block.empty() != (extension == SettingsExtension{})) std::abort();
  return 0;
}
