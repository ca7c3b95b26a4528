// The window's widgets at any size.
#include "qt/window_growth.h"

#include <QWidget>
#include <algorithm>

#include "options/control_ids.h"
#include "qt/dialog_units.h"

namespace {

// The template's columns and rows, in dialog units: the right column (Preview and Log
// boxes) starts at x 294; the Preview area ends at y 126, the Preview box at 186; the
// rows under both columns start at y 294.
constexpr int kRightColumnDu = 294;
constexpr int kPreviewAreaBottomDu = 126;
constexpr int kPreviewBoxBottomDu = 186;
constexpr int kBottomRowsDu = 294;

}  // namespace

Growth GrowthOf(const QRect& base, int id, bool groupBox) {
  if (id == kIdPreviewArea) return Growth::kGrow;
  const bool right = base.left() >= DuToPxX(kRightColumnDu);
  if (base.top() >= DuToPxY(kBottomRowsDu)) {
    return groupBox ? Growth::kMoveDownWiden : Growth::kMoveDown;
  }
  if (!right) return Growth::kStay;
  if (groupBox) {
    return base.bottom() < DuToPxY(kPreviewBoxBottomDu) ? Growth::kGrow : Growth::kMoveDownWiden;
  }
  if (base.top() < DuToPxY(kPreviewAreaBottomDu)) return Growth::kStay;
  // Below the Preview area: the text field, the cell line and the log take the width.
  const bool widens = id == kIdPreviewText || id == kIdCellInfo || id == kIdLog;
  return widens ? Growth::kMoveDownWiden : Growth::kMoveDown;
}

QRect Grown(const QRect& base, Growth growth, QSize extra) {
  const int dx = std::max(0, extra.width());
  const int dy = std::max(0, extra.height());
  switch (growth) {
    case Growth::kStay:
      return base;
    case Growth::kGrow:
      return base.adjusted(0, 0, dx, dy);
    case Growth::kMoveDown:
      return base.translated(0, dy);
    case Growth::kMoveDownWiden:
      return base.translated(0, dy).adjusted(0, 0, dx, 0);
  }
  return base;
}

void FormGrowth::Add(QWidget* widget, int id, bool groupBox) {
  const QRect base = widget->geometry();
  entries_.push_back({widget, base, GrowthOf(base, id, groupBox)});
}

void FormGrowth::Apply(QSize formSize, QSize templateSize) const {
  const QSize extra = formSize - templateSize;
  for (const Entry& e : entries_) e.widget->setGeometry(Grown(e.base, e.growth, extra));
}
