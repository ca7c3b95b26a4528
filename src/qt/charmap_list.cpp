// The character map list.
#include "qt/charmap_list.h"

#include <QFileInfo>

#include "dialog/layout_fields.h"

namespace {

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// The built-in maps carry their names as item data; the file's entry, when there is
// one, sits before "From file ...", which carries none.
CharMapList::CharMapList(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  for (const CharMapEntry& entry : kCharMapEntries) {
    addItem(FromView(entry.label), FromView(entry.name));
  }
  addItem(FromView(kCharMapFromFileLabel));
  connect(this, &QComboBox::activated, this, &CharMapList::OnActivated);
}

int CharMapList::FileEntry() const {
  const int index = static_cast<int>(kCharMapEntries.size());
  return count() - 1 > index ? index : -1;
}

void CharMapList::SetName(const QString& name) {
  name_ = name;
  const int builtIn = findData(name);
  if (builtIn >= 0 && builtIn < static_cast<int>(kCharMapEntries.size())) {
    if (FileEntry() >= 0) removeItem(FileEntry());
    setCurrentIndex(builtIn);
    setToolTip(QString());
    return;
  }
  QString label = QFileInfo(name).fileName();
  if (label.isEmpty()) label = name;
  if (FileEntry() < 0) insertItem(static_cast<int>(kCharMapEntries.size()), label, name);
  setItemText(FileEntry(), label);
  setItemData(FileEntry(), name);
  setCurrentIndex(FileEntry());
  setToolTip(name);  // the whole path
}

void CharMapList::OnActivated(int index) {
  if (index == count() - 1) {
    SetName(name_);  // the list keeps showing the map in use until a file is chosen
    emit fileRequested();
    return;
  }
  name_ = itemData(index).toString();
  emit nameChosen();
}
