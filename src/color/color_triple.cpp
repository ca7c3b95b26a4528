// Reads a ColorTriple from three adjacent fields.
#include "color/color_triple.h"

#include "dialog/dialog_fields.h"

ColorTriple ReadColorTriple(Dialog& dlg, int firstId) {
  ColorTriple color;
  color.red = ReadInt(dlg, firstId);
  color.green = ReadInt(dlg, firstId + 1);
  color.blue = ReadInt(dlg, firstId + 2);
  return color;
}
