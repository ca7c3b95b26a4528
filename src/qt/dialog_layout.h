// Where each control of the main dialog sits, in dialog units, and the few static
// texts that have no identifier (the R, G, B column headings). The order of the
// placements is the tab order, group box by group box as the template lists them.
#pragma once

#include <span>
#include <string_view>

#include "qt/dialog_units.h"

struct ControlPlacement {
  int id;
  DuRect rect;     // the control itself (a drop-down list: its closed height)
  DuRect caption;  // the label left of an edit or list; width 0 when there is none
};

struct StaticTextPlacement {
  std::string_view text;
  DuRect rect;
};

std::span<const ControlPlacement> ControlPlacements();

// The placement of id, or nullptr when the layout has none.
const ControlPlacement* FindPlacement(int id);

std::span<const StaticTextPlacement> StaticTexts();

// The window's own "Recent files" button, beside "Open font file ..." in "Layout"; it
// is no control of the dialog.
inline constexpr DuRect kRecentFilesRect{94, 351, 64, 14};
