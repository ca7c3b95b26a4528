// "Save all": one readable sheet per face, named safely, then one "finished" message.
#include "app/save_all.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "dialog/control_ids.h"
#include "support/dialog_fixture.h"
#include "support/sheet_image.h"
#include "support/temp_dir.h"

namespace {

TEST(SaveAllTest, FaceNamesBecomeSafeFileNames) {
  struct Row {
    const char* face;
    const char* file;
  };
  const Row rows[] = {
      {"DejaVu Sans", "DejaVu Sans"}, {"a/b\\c", "a_b_c"}, {"../up", "_._up"},
      {".hidden", "_hidden"},         {"", "_"},           {"..", "_."},
  };
  for (const Row& row : rows) EXPECT_EQ(SafeFileName(row.face), row.file) << row.face;
  EXPECT_EQ(SafeFileName(std::string_view("a\0b", 3)), "a_b");
}

class SaveAllFontsTest : public DialogFixture {
 protected:
  // A list of two installed faces and one whose name needs mending.
  void UseFaces(std::initializer_list<const char*> faces) {
    host.ListClear();
    for (const char* face : faces) host.ListAdd(face);
    FontListSelect(dlg, 0);
  }
  int FinishedCount() const {
    int n = 0;
    for (const RecordedMessage& m : host.messages()) {
      n += m.text == "Save all has finished!" && m.title == "Finished" &&
           m.icon == MessageIcon::kInformation;
    }
    return n;
  }
  TempDir dir;
};

TEST_F(SaveAllFontsTest, WritesOneSheetPerFaceAndFinishesOnce) {
  UseFaces({"DejaVu Sans", "DejaVu Sans Mono", "../DejaVu Serif"});
  SetText(dlg, kIdCharWidth, "7");
  host.folderAnswers.push_back(dir.path().string());
  EXPECT_EQ(SaveAllFonts(dlg), 0);
  ASSERT_EQ(host.folderRequests.size(), 1u);
  EXPECT_EQ(host.folderRequests[0], "Select the output folder");
  EXPECT_EQ(FinishedCount(), 1);
  for (const char* file : {"DejaVu Sans.png", "DejaVu Sans Mono.png", "_._DejaVu Serif.png"}) {
    const SheetImage image = LoadSheetImage(dir.File(file));
    EXPECT_EQ(image.width, 256) << file;
    EXPECT_EQ(image.height, 64) << file;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.path().parent_path() / "DejaVu Serif.png"));
  // The last face stays selected with what its autosize left in the fields.
  EXPECT_EQ(FontListSelection(dlg), 2);
  EXPECT_EQ(host.Text(kIdCharWidth), "");
  EXPECT_GT(ReadInt(dlg, kIdCharHeight), 0);
}

TEST_F(SaveAllFontsTest, StopsOnlyForValidationOrACancelledFolder) {
  UseFaces({"DejaVu Sans"});
  SetText(dlg, kIdColorSteps, "0");
  host.folderAnswers.push_back(dir.path().string());
  EXPECT_EQ(SaveAllFonts(dlg), 1);
  EXPECT_TRUE(host.folderRequests.empty());  // validation came first
  EXPECT_EQ(FinishedCount(), 0);

  SetText(dlg, kIdColorSteps, "8");
  host.folderAnswers.clear();
  host.folderAnswers.push_back(std::nullopt);
  EXPECT_EQ(SaveAllFonts(dlg), 1);
  EXPECT_EQ(FinishedCount(), 0);

  // An empty list: only the message. A folder that cannot be written: each face
  // fails with its own message and the batch still finishes.
  host.ListClear();
  host.ClearMessages();
  host.folderAnswers.push_back(dir.path().string());
  EXPECT_EQ(SaveAllFonts(dlg), 0);
  EXPECT_EQ(host.messages().size(), 1u);
  UseFaces({"DejaVu Sans", "DejaVu Sans Mono"});
  host.ClearMessages();
  host.folderAnswers.push_back(dir.File("missing"));
  EXPECT_EQ(SaveAllFonts(dlg), 0);
  EXPECT_EQ(host.messages().size(), 3u);
  EXPECT_EQ(FinishedCount(), 1);
}

}  // namespace
