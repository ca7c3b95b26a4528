// "Save all": one readable sheet per face, named safely, then one "finished" message.
#include "app/save_all.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "options/control_ids.h"
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

// One run's names in order: clashes after making names safe get " (n)", and long
// names are cut to 255 bytes with the extension and suffix, never inside a character.
TEST(SaveAllTest, OutputNamesAreUniqueAndFitTheFileSystem) {
  // n times "é", two bytes each: in 200 of them, bytes 251 and 247 are second bytes.
  auto e = [](int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += "\u00e9";
    return s;
  };
  struct Row {
    std::string face, file;
    std::size_t longestExtension = 0;  // of the descriptors beside the sheet
  };
  const Row rows[] = {
      {"A/B", "A_B.png"},
      {"A_B", "A_B (2).png"},
      {"a_b", "a_b.png"},  // case matters, as on Linux file systems
      {"A\\B", "A_B (3).png"},
      {"A_B (2)", "A_B (2) (2).png"},
      {std::string(251, 'y'), std::string(251, 'y') + ".png"},        // exactly 255
      {std::string(252, 'y'), std::string(247, 'y') + " (2).png"},    // cut, then clashes
      {e(200), e(125) + ".png"},                                      // 254: cut before "é"
      {e(200) + "z", e(123) + " (2).png"},                            // 254 with the suffix
      {std::string(300, '\x80'), std::string(248, '\x80') + ".png"},  // not UTF-8: still cut
      {std::string(255, 'j'), std::string(250, 'j') + ".png", 5},     // room for ".json"
      {std::string(251, 'j'), std::string(246, 'j') + " (2).png", 5},
      {std::string(255, 'f'), std::string(251, 'f') + ".png", 4},  // ".fnt" fits as ".png"
  };
  std::set<std::string> taken;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.face);
    EXPECT_EQ(OutputFileName(row.face, taken, row.longestExtension), row.file);
  }
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

// Each face's descriptor lies beside its own sheet and names that sheet and that face.
TEST_F(SaveAllFontsTest, EachSheetGetsItsOwnDescriptor) {
  UseFaces({"DejaVu Sans", "DejaVu Sans Mono"});
  SetChecked(dlg, kIdDescriptorFnt, true);
  host.folderAnswers.push_back(dir.path().string());
  ASSERT_EQ(SaveAllFonts(dlg), 0);
  for (const std::string face : {"DejaVu Sans", "DejaVu Sans Mono"}) {
    std::ifstream in(dir.File(face + ".fnt"));
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(text.rfind("info face=\"" + face + "\" ", 0), 0u) << face;
    EXPECT_NE(text.find("page id=0 file=\"" + face + ".png\"\n"), std::string::npos) << face;
  }
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
  // fails with the run's message and one that names it, the batch still finishes,
  // and the result says that faces failed.
  host.ListClear();
  host.ClearMessages();
  host.folderAnswers.push_back(dir.path().string());
  EXPECT_EQ(SaveAllFonts(dlg), 0);
  EXPECT_EQ(host.messages().size(), 1u);
  UseFaces({"DejaVu Sans", "DejaVu Sans Mono"});
  host.ClearMessages();
  host.folderAnswers.push_back(dir.File("missing"));
  EXPECT_EQ(SaveAllFonts(dlg), 1);
  std::vector<std::string> texts;
  for (const RecordedMessage& m : host.messages()) texts.push_back(m.title + ": " + m.text);
  EXPECT_EQ(texts, (std::vector<std::string>{
                       "Error: Could not save the output bitmap!",
                       "Error: Could not save the sheet of \"DejaVu Sans\"!",
                       "Error: Could not save the output bitmap!",
                       "Error: Could not save the sheet of \"DejaVu Sans Mono\"!",
                       "Finished: Save all has finished!",
                   }));
}

// Faces whose file names clash or are too long each get files of their own, named to
// fit with the longest extension of the run.
TEST_F(SaveAllFontsTest, ClashingAndLongNamesEachGetTheirOwnFile) {
  const std::string longFace = std::string(260, 'L');
  UseFaces({"A/B", "A_B", longFace.c_str(), (longFace + "2").c_str()});
  SetChecked(dlg, kIdDescriptorJson, true);
  host.folderAnswers.push_back(dir.path().string());
  EXPECT_EQ(SaveAllFonts(dlg), 0);
  EXPECT_EQ(host.messages().size(), 1u);
  std::set<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    files.insert(entry.path().filename().string());
    if (entry.path().extension() != ".png") continue;
    EXPECT_EQ(LoadSheetImage(entry.path().string()).width, 256) << entry.path();
  }
  std::set<std::string> expected;
  for (const std::string& name : {std::string("A_B"), std::string("A_B (2)"), std::string(250, 'L'),
                                  std::string(246, 'L') + " (2)"}) {
    expected.insert(name + ".png");
    expected.insert(name + ".json");
  }
  EXPECT_EQ(files, expected);
}

// A texture that cannot load stops the batch once, before the folder prompt, but only
// when the color mode draws with it.
TEST_F(SaveAllFontsTest, AnUnusableTextureStopsOnceBeforeTheFolder) {
  struct Row {
    int mode;
    bool stops;
  };
  const Row rows[] = {{kIdColorGradient, false},
                      {kIdColorImageOnly, true},
                      {kIdColorRelief, false},
                      {kIdColorGradientOverImage, true},
                      {kIdColorReliefOverImage, true}};
  UseFaces({"DejaVu Sans", "DejaVu Sans Mono"});
  for (const Row& row : rows) {
    SCOPED_TRACE(row.mode);
    TempDir out;
    host.Click(row.mode);
    SetText(dlg, kIdTexturePath, dir.File("missing.png"));
    host.ClearMessages();
    host.folderRequests.clear();
    host.folderAnswers.push_back(out.path().string());
    EXPECT_EQ(SaveAllFonts(dlg), row.stops ? 1 : 0);
    EXPECT_EQ(host.folderRequests.size(), row.stops ? 0u : 1u);
    EXPECT_EQ(FinishedCount(), row.stops ? 0 : 1);
    if (row.stops) {
      ASSERT_EQ(host.messages().size(), 1u);
      EXPECT_EQ(host.messages()[0].text, "Could not load the font image file!\n" +
                                             dir.File("missing.png") +
                                             "\nNo such file or directory.");
    }
    EXPECT_EQ(std::filesystem::is_empty(out.path()), row.stops);
    host.folderAnswers.clear();
  }
}

}  // namespace
