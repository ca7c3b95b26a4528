// How the window's widgets follow its size. The controls keep the template's layout at
// its size; extra room goes to the Preview area, which grows right and down, and what
// lies right of or below it moves with it: the preview's own controls and the log move
// down and widen, the rows under both columns move down and their boxes widen. The
// left column stays.
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

class QWidget;

enum class Growth {
  kStay,
  kGrow,           // wider and higher by the extra room (the Preview area and its box)
  kMoveDown,       // down by the extra height
  kMoveDownWiden,  // down by the extra height, wider by the extra width
};

// The rule for a widget at base (its place at the template size): id is its control
// identifier (0 for none), groupBox whether it is a group box.
Growth GrowthOf(const QRect& base, int id, bool groupBox);

// base moved and sized by growth for extra room (negative extra counts as none).
QRect Grown(const QRect& base, Growth growth, QSize extra);

// The widgets of a form with their template places and rules.
class FormGrowth {
 public:
  // Takes each widget's present geometry as its template place.
  void Add(QWidget* widget, int id, bool groupBox);
  // Places every widget for the form's present size beyond templateSize.
  void Apply(QSize formSize, QSize templateSize) const;

 private:
  struct Entry {
    QWidget* widget;
    QRect base;
    Growth growth;
  };
  std::vector<Entry> entries_;
};
