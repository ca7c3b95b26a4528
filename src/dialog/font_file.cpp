// The font list's entries and font files that are not installed.
#include "dialog/font_file.h"

#include <cstring>

#include "dialog/dialog_fields.h"
#include "text/case_fold.h"
#include "text/font_list.h"

namespace {

std::string RefusalReason(const FontFileResult& result) {
  switch (result.status) {
    case FontFileStatus::kOpenFailed:
      return std::string(std::strerror(result.error)) + ".";
    case FontFileStatus::kNotRegular:
      return "it is not a regular file.";
    default:
      return "it is not a font FreeType can read.";
  }
}

}  // namespace

void FillFontList(Dialog& dlg) {
  dlg.host.ListClear();
  for (const std::string& face : InstalledTypefaces()) dlg.host.ListAdd(face);
}

int OpenFontFile(Dialog& dlg, const std::string& path) {
  const FontFileResult result = AddFontFile(path);
  if (result.status != FontFileStatus::kAdded) {
    dlg.host.MessageBox("Could not open the font file \"" + path + "\": " + RefusalReason(result),
                        "Error", MessageIcon::kWarning);
    return 1;
  }
  FillFontList(dlg);
  const std::string& first = result.families.front();
  const int count = FontListCount(dlg);
  for (int i = 0; i < count; ++i) {
    if (CompareIgnoringCase(FontListEntry(dlg, i), first) == 0) {
      FontListSelect(dlg, i);
      break;
    }
  }
  return 0;
}

std::string SelectedFontFile(Dialog& dlg) {
  const int selected = FontListSelection(dlg);
  if (selected < 0) return {};
  return AddedFontFileOf(FontListEntry(dlg, selected));
}
