// The character map list (1057): the built-in maps by their labels, the map file in
// use when there is one, and "From file ...". Its text is the name the dialog reads
// ("cp1252", "cp437", "tcod" or a path), which the list only shows.
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
  void nameChosen();     // the user chose a map: name() says which
  void fileRequested();  // the user chose "From file ..."; the selection stays

 private:
  void OnActivated(int index);
  int FileEntry() const;  // the file's entry, or -1 when there is none

  QString name_;
};
