// "Autosize (proportional)" and "Autosize (full)".
#include "app/autosize_command.h"

#include "dialog/validation.h"

int AutosizeCommand(Dialog& dlg, AutosizeMode mode) {
  if (ValidateParameters(dlg, true)) return 1;
  Autosize(dlg, mode);
  return 0;
}
