// The character map list.
#include "qt/charmap_list.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QWheelEvent>

#include "dialog/layout_fields.h"
#include "layout/charmap.h"
#include "options/control_ids.h"
#include "qt/control_hints.h"

namespace {

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// The built-in maps carry their names as item data, the ranges entry the Unicode map's
// name while one is in use; the file's entry, when there is one, sits before "From file
// ...", which carries none.
CharMapList::CharMapList(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  for (const CharMapEntry& entry : kCharMapEntries) {
    addItem(FromView(entry.label), FromView(entry.name));
  }
  addItem(FromView(kCharMapRangesLabel));
  addItem(FromView(kCharMapFromFileLabel));
  connect(this, &QComboBox::activated, this, &CharMapList::OnActivated);
}

int CharMapList::RangesEntry() const {
  return static_cast<int>(kCharMapEntries.size());
}

int CharMapList::FileEntry() const {
  const int index = RangesEntry() + 1;
  return count() - 1 > index ? index : -1;
}

bool CharMapList::AsksSomething(int index) const {
  return index == RangesEntry() || index == FromFileEntry();
}

void CharMapList::ShowRanges(const QString& name) {
  const QString prefix = FromView(kUnicodeMapPrefix);
  const bool ranges = name.startsWith(prefix);
  setItemText(RangesEntry(), ranges ? QStringLiteral("Unicode %1").arg(name.mid(prefix.size()))
                                    : FromView(kCharMapRangesLabel));
  setItemData(RangesEntry(), ranges ? QVariant(name) : QVariant());
}

void CharMapList::SetName(const QString& name) {
  name_ = name;
  ShowRanges(name);
  const int builtIn = findData(name);
  if (builtIn >= 0 && builtIn <= RangesEntry()) {
    if (FileEntry() >= 0) removeItem(FileEntry());
    setCurrentIndex(builtIn);
    setToolTip(builtIn == RangesEntry() ? QStringLiteral("The Unicode ranges %1.").arg(name)
                                        : ControlToolTip(kIdCharMap));
    return;
  }
  QString label = QFileInfo(name).fileName();
  if (label.isEmpty()) label = name;
  if (FileEntry() < 0) insertItem(RangesEntry() + 1, label, name);
  setItemText(FileEntry(), label);
  setItemData(FileEntry(), name);
  setCurrentIndex(FileEntry());
  setToolTip(QStringLiteral("The map file %1.").arg(name));  // the whole path
}

void CharMapList::OnActivated(int index) {
  if (AsksSomething(index)) {
    if (browsing_) return;  // passing over it asks for nothing
    SetName(name_);         // the list keeps showing the map in use until one is chosen
    if (index == RangesEntry()) {
      emit rangesRequested();
    } else {
      emit fileRequested();
    }
    return;
  }
  name_ = itemData(index).toString();
  emit nameChosen();
}

// A closed list moves its selection with the arrow keys and activates each entry it
// stops on; Space opens the list. On "Unicode ranges ..." and "From file ...", Return,
// Enter and Space choose it.
void CharMapList::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (AsksSomething(currentIndex()) && event->modifiers() == Qt::NoModifier &&
      (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
    OnActivated(currentIndex());
    event->accept();
    return;
  }
  browsing_ = true;
  QComboBox::keyPressEvent(event);
  browsing_ = false;
}

void CharMapList::wheelEvent(QWheelEvent* event) {
  browsing_ = true;
  QComboBox::wheelEvent(event);
  browsing_ = false;
}

// Leaving the list on an entry that asks without choosing it shows the map in use again.
void CharMapList::focusOutEvent(QFocusEvent* event) {
  if (AsksSomething(currentIndex()) && itemData(currentIndex()).toString() != name_ &&
      event->reason() != Qt::PopupFocusReason) {
    SetName(name_);
  }
  QComboBox::focusOutEvent(event);
}
