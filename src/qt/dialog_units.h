// Dialog units to pixels: the window keeps the classic template's layout, where a
// horizontal unit is a quarter of the dialog font's average character width and a
// vertical unit an eighth of its height. At the template font that is 1.5 px and
// 1.625 px, which makes the 556 x 400 unit dialog 834 x 650 px.
#pragma once

#include <QRect>

struct DuRect {
  int left, top, width, height;  // dialog units
};

inline constexpr int kDuToPxXNum = 3, kDuToPxXDen = 2;   // 1.5 px a unit
inline constexpr int kDuToPxYNum = 13, kDuToPxYDen = 8;  // 1.625 px a unit

// value * num / den rounded half away from zero, as the platform's MulDiv does.
constexpr int MulDivRound(int value, int num, int den) {
  const int twice = 2 * value * num;
  return twice >= 0 ? (twice + den) / (2 * den) : -((-twice + den) / (2 * den));
}

constexpr int DuToPxX(int du) {
  return MulDivRound(du, kDuToPxXNum, kDuToPxXDen);
}
constexpr int DuToPxY(int du) {
  return MulDivRound(du, kDuToPxYNum, kDuToPxYDen);
}

// Each edge is converted on its own, so that adjacent rectangles stay adjacent.
inline QRect DuToPx(const DuRect& r) {
  const int left = DuToPxX(r.left), top = DuToPxY(r.top);
  return QRect(left, top, DuToPxX(r.left + r.width) - left, DuToPxY(r.top + r.height) - top);
}
