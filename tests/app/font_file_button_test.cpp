// "Open font file ..." on the in-memory host: the chosen file's typeface is selected,
// a file that is not a font is named in a message and changes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "options/control_ids.h"
#include "support/dialog_fixture.h"
#include "support/temp_dir.h"
#include "text/font_list.h"

namespace {

class FontFileButtonTest : public DialogFixture {
 protected:
  void TearDown() override { ForgetAddedFontFiles(); }
};

TEST_F(FontFileButtonTest, SelectsTheFilesTypefaceOrNamesTheFileItRefuses) {
  TempDir dir;
  const std::string copy = dir.File("DejaVuSansMono.ttf");
  ASSERT_TRUE(
      std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf", copy));
  const std::string text = dir.File("notes.ttf");
  std::ofstream(text) << "not a font\n";

  SelectFace("DejaVu Serif");
  const int count = FontListCount(dlg);
  host.openFileAnswers.push_back(text);
  host.Click(kIdOpenFontFile);
  ASSERT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(host.messages()[0].text,
            "Could not open the font file \"" + text + "\": it is not a font FreeType can read.");
  EXPECT_EQ(host.messages()[0].title, "Error");
  EXPECT_EQ(host.messages()[0].icon, MessageIcon::kWarning);
  EXPECT_EQ(FontListEntry(dlg, FontListSelection(dlg)), "DejaVu Serif");

  host.openFileAnswers.push_back(copy);
  host.Click(kIdOpenFontFile);
  EXPECT_EQ(host.messages().size(), 1u);
  EXPECT_EQ(FontListCount(dlg), count);  // an installed name: no second entry
  EXPECT_EQ(FontListEntry(dlg, FontListSelection(dlg)), "DejaVu Sans Mono");
}

}  // namespace
