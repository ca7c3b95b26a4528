// The character map list (1057): the built-in maps by their labels (with "Every
// character of the font"), "Unicode ranges ..." (showing the ranges in use), the map file
// in use when there is one, and "From file ...". Its text is the name the dialog reads
// ("cp1252", "cp437", "tcod", "font", "unicode:RANGES" or a path), which the list only
// shows. Moving through the list with the arrow keys or the wheel may stop on "Unicode
// ranges ..." or "From file ...", but only activating one (Return, Space, or a click in
// the open list) asks for ranges or a file.
#pragma once

#include <QComboBox>

class CharMapList : public QComboBox {
  Q_OBJECT

 public:
  explicit CharMapList(QWidget* parent = nullptr);

  QString name() const { return name_; }
  // Selects the built-in map of that name; any other text is a file, shown by its name.
  void SetName(const QString& name);

 signals:
  void nameChosen();       // the user chose a map: name() says which
  void fileRequested();    // the user chose "From file ..."; the selection stays
  void rangesRequested();  // the user chose "Unicode ranges ..."; the selection stays

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void OnActivated(int index);
  int FileEntry() const;                 // the file's entry, or -1 when there is none
  bool AsksSomething(int index) const;   // "Unicode ranges ..." or "From file ..."
  void ShowRanges(const QString& name);  // the ranges entry's label for name, "" for none

  int RangesEntry() const;
  int FromFileEntry() const { return count() - 1; }

  QString name_;
  bool browsing_ = false;  // the arrow keys or the wheel are moving the selection
};
