// The option table's controls: reading them, checked, into the options record, and
// setting them to an option's value. The command line, the settings file and every run
// go through here.
#pragma once

#include <string>
#include <string_view>

#include "base/status.h"
#include "dialog/dialog.h"
#include "options/option_table.h"

// How much of the dialog a read checks before the options record is used.
enum class OptionCheck {
  kRun,       // every option: an export or a preview
  kAutosize,  // the cell Autosize sizes for; the rest is read as it is
};

// Reads every option into one record, the character map loaded, checking the options
// in the table's order: the first that fails gives the failure with its message (shown
// by the caller). A map that holds a character in several cells passes, after
// RepeatedCharsWarning's message (title "Warning", warning icon) on the dialog's host.
// An option that is not checked is read as it is, and one that cannot be read at all
// keeps its default (a map file that cannot be read gives a map of no cells).
Result<SheetOptions> ReadOptions(Dialog& dlg, OptionCheck check);

// The value of a kChoice option: the first of its readOrder whose button is checked,
// else its noneChecked.
int ReadChoiceValue(Dialog& dlg, const OptionDef& option);
// Clears a kChoice option's buttons and checks the one of value (no notification, no
// rules); clears them all for a value no choice has.
void CheckChoiceValue(Dialog& dlg, const OptionDef& option, int value);

// The bits of a kFlagSet option's checked boxes, and setting them.
int ReadFlagSetBits(Dialog& dlg, const OptionDef& option);
void CheckFlagSetBits(Dialog& dlg, const OptionDef& option, int bits);
