// The font list's entries and font files that are not installed.
#include "dialog/font_file.h"

#include "dialog/dialog_fields.h"
#include "text/case_fold.h"
#include "text/font_list.h"

void FillFontList(Dialog& dlg) {
  dlg.host.ListClear();
  for (const std::string& face : InstalledTypefaces()) dlg.host.ListAdd(face);
}

int OpenFontFile(Dialog& dlg, const std::string& path) {
  const Result<std::vector<std::string>> families = AddFontFile(path);
  if (!families) {
    dlg.host.MessageBox(families.message(), "Error", MessageIcon::kWarning);
    return 1;
  }
  FillFontList(dlg);
  const std::string& first = families->front();
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
