// The dialog procedure: every message the main dialog receives goes through
// DialogProc, which initializes, closes, and routes commands to the operations.
#pragma once

#include "dialog/dialog.h"

// Handles one message. Returns 1 when handled, 0 otherwise.
int DialogProc(Dialog& dlg, DialogMessage message, int id = 0, int code = 0);

// Connects the host's commands to DialogProc, then runs the initialization. The
// host must outlive the dialog.
void StartDialog(Dialog& dlg);
