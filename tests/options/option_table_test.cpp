// The option table's own consistency: what the settings file, the command line and the
// dialog rely on when they walk it.
#include "options/option_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "dialog/control_table.h"

namespace {

// Bytes an option takes in the fixed layout.
int ClassicSize(const OptionDef& option) {
  switch (option.kind) {
    case OptionKind::kFace:
    case OptionKind::kText:
      return option.width;
    case OptionKind::kInt:
      return 4;
    case OptionKind::kRgb:
      return 12;
    default:
      return 1;
  }
}

TEST(OptionTable, ClassicFieldsTileTheFixedLayoutAndNamesAreUnique) {
  std::vector<const OptionDef*> classic;
  std::set<std::string_view> flags;
  std::set<int> tags;
  for (const OptionDef& option : OptionTable()) {
    SCOPED_TRACE(option.flag);
    EXPECT_TRUE(flags.insert(option.flag).second) << "flag twice";
    EXPECT_TRUE(FindControl(option.control)) << "no such control";
    for (const OptionChoice& choice : option.choices) {
      EXPECT_EQ(FindChoice(option, choice.name), &choice);
      EXPECT_EQ(FindOptionByControl(choice.control), &option);
    }
    if (option.stored == StoredIn::kClassic) classic.push_back(&option);
    if (option.stored != StoredIn::kExtension) continue;
    EXPECT_TRUE(tags.insert(option.offset).second) << "tag twice";
    EXPECT_EQ(FindOptionByTag(option.offset), &option);
  }
  std::sort(classic.begin(), classic.end(),
            [](const OptionDef* a, const OptionDef* b) { return a->offset < b->offset; });
  int next = 0;
  for (const OptionDef* option : classic) {
    EXPECT_EQ(option->offset, next) << option->flag;
    next = option->offset + ClassicSize(*option);
  }
  EXPECT_EQ(next, 1219);
}

}  // namespace
