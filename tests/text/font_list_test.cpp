// The typeface list on the installed DejaVu fonts.
#include "text/font_list.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "text/case_fold.h"
#include "text/font_catalog.h"
#include "text_test_support.h"

namespace {

bool Contains(const std::vector<std::string>& list, const std::string& name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

TEST(TextFontListTest, OneEntryPerTypefaceSortedIgnoringCase) {
  const std::vector<std::string>& list = InstalledTypefaces();
  EXPECT_EQ(&InstalledTypefaces(), &list);  // built once
  // Condensed and Light are typefaces of their own (name ID 1), not styles of
  // "DejaVu Sans".
  for (const char* name : {"DejaVu Sans", "DejaVu Sans Condensed", "DejaVu Sans Light",
                           "DejaVu Sans Mono", "DejaVu Serif", "DejaVu Serif Condensed"}) {
    EXPECT_TRUE(Contains(list, name)) << name;
  }
  // Strictly ascending ignoring case: sorted and without duplicates.
  for (std::size_t i = 1; i < list.size(); ++i) {
    EXPECT_LT(CompareIgnoringCase(list[i - 1], list[i]), 0) << list[i - 1] << " / " << list[i];
    EXPECT_NE(FoldedKey(list[i - 1]), FoldedKey(list[i]));
  }
}

TEST(TextFontListTest, CatalogKeepsStyleOfEachFile) {
  const FontCatalog catalog = BuildFontCatalog();
  EXPECT_EQ(catalog.typefaces, InstalledTypefaces());
  const auto light = FindTypefaceFiles(catalog, "dejavu sans LIGHT");
  ASSERT_EQ(light.size(), 1u);
  EXPECT_EQ(BaseName(light[0].file), "DejaVuSans-ExtraLight.ttf");
  EXPECT_EQ(light[0].family, "DejaVu Sans Light");
  EXPECT_EQ(light[0].weight, 200);
  EXPECT_FALSE(light[0].italic);

  const auto sans = FindTypefaceFiles(catalog, "DejaVu Sans");
  ASSERT_EQ(sans.size(), 4u);  // regular, bold, oblique, bold oblique
  int bold = 0, italic = 0;
  for (const TypefaceFile& file : sans) {
    bold += file.weight == 700;
    italic += file.italic;
    EXPECT_TRUE(file.trueType) << file.file;
  }
  EXPECT_EQ(bold, 2);
  EXPECT_EQ(italic, 2);
  EXPECT_TRUE(FindTypefaceFiles(catalog, "DejaVu").empty());
}

}  // namespace
