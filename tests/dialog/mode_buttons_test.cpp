// The color-mode radio group as a mode: which checked button wins, what none means, and
// that a mode written as its settings code and checked again reads back the same.
#include "dialog/mode_buttons.h"

#include <gtest/gtest.h>

#include <vector>

#include "dialog/dialog_fields.h"
#include "headless/headless_host.h"
#include "options/control_ids.h"

namespace {

TEST(ModeButtonsTest, ColorModeOfTheCheckedButtons) {
  const int group[] = {kIdColorGradient, kIdColorRelief, kIdColorImageOnly,
                       kIdColorGradientOverImage, kIdColorReliefOverImage};
  struct Row {
    std::vector<int> checked;
    std::optional<ColorMode> mode;
  };
  const Row rows[] = {
      {{}, std::nullopt},
      {{kIdColorRelief}, ColorMode::kRelief},
      {{kIdColorReliefOverImage}, ColorMode::kReliefOverImage},
      // The run's order decides: Gradient, ImageOnly, Relief, GradientOverImage, ...
      {{kIdColorRelief, kIdColorImageOnly}, ColorMode::kImageOnly},
      {{kIdColorReliefOverImage, kIdColorGradientOverImage}, ColorMode::kGradientOverImage},
      {{kIdColorGradient, kIdColorImageOnly}, ColorMode::kGradient},
  };
  HeadlessHost host;
  Dialog dlg{host};
  for (const Row& row : rows) {
    for (int id : group) SetChecked(dlg, id, false);
    for (int id : row.checked) SetChecked(dlg, id, true);
    EXPECT_EQ(ReadColorMode(dlg), row.mode) << row.checked.size();
  }

  // Every mode survives its settings code; a checked mode clears the rest of the group.
  for (ColorMode mode : {ColorMode::kGradient, ColorMode::kRelief, ColorMode::kImageOnly,
                         ColorMode::kGradientOverImage, ColorMode::kReliefOverImage}) {
    for (int id : group) SetChecked(dlg, id, true);
    CheckColorMode(dlg, ColorModeOfCode(ModeCode(mode)));
    EXPECT_EQ(ReadColorMode(dlg), mode);
    for (int id : group) EXPECT_EQ(IsChecked(dlg, id), id == ColorModeButton(mode)) << id;
  }
}

}  // namespace
