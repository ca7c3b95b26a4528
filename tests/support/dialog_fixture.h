// A started dialog on the headless host, with a face chosen by name.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/dialog_proc.h"
#include "dialog/dialog_fields.h"
#include "headless/headless_host.h"

class DialogFixture : public ::testing::Test {
 protected:
  void SetUp() override { StartDialog(dlg); }

  // Selects the list entry named exactly face; fails the test when it is missing.
  void SelectFace(const std::string& face) {
    for (int i = 0; i < FontListCount(dlg); ++i) {
      if (FontListEntry(dlg, i) == face) {
        FontListSelect(dlg, i);
        return;
      }
    }
    FAIL() << "font \"" << face << "\" is not installed";
  }

  HeadlessHost host;
  Dialog dlg{host};
};
