// The export-mode, color-mode and output-kind radio groups as modes: which button is which mode,
// which one wins when a program has left several checked, and what no check means.
// Every reader of the groups (the run, the enabling rules, validation, the settings
// file, the command line) goes through here.
#pragma once

#include <optional>

#include "base/sheet_modes.h"
#include "dialog/dialog.h"

// The radio button of a mode.
int ExportModeButton(ExportMode mode);
int ColorModeButton(ColorMode mode);
int OutputKindButton(OutputKind kind);

// The first checked of All, Normal, Range; UserDefined when none of them is, whether
// its own button is checked or not.
ExportMode ReadExportMode(Dialog& dlg);

// The first checked of Gradient, ImageOnly, Relief, GradientOverImage,
// ReliefOverImage; nothing when none is checked.
std::optional<ColorMode> ReadColorMode(Dialog& dlg);

// The first checked of Color, Alpha, Gray, Mono; Color when none is checked.
OutputKind ReadOutputKind(Dialog& dlg);

// Clears the group and checks the button of mode (no notification, no rules).
void CheckExportMode(Dialog& dlg, ExportMode mode);
void CheckColorMode(Dialog& dlg, ColorMode mode);
void CheckOutputKind(Dialog& dlg, OutputKind kind);
