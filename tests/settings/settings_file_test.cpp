// The settings file: its layout with the start-up values, the integer and mode
// codes, short and older files, the face search, the round trip and failed saves.
#include "settings/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "dialog/dialog_fields.h"
#include "options/control_ids.h"
#include "support/dialog_fixture.h"
#include "support/fifo_guard.h"
#include "support/temp_dir.h"

namespace {

constexpr std::size_t kCurrentSize = 1219;
constexpr char kOldVersionWarning[] =
    "This settings file is from a version before 0.3!\n"
    "Tile size defaults to 8 and horizontal centering to false.\n"
    "CAUTION: The field which is now \"Exclude characters\" if export is set to all or normal "
    "was \"Export characters\" in these versions and was filled with almost everything by "
    "default!";

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// The 32-bit little-endian integer at offset.
std::int32_t IntAt(const std::string& bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
  }
  return static_cast<std::int32_t>(value);
}

// The text stored in the field at offset, up to its first zero.
std::string TextAt(const std::string& bytes, std::size_t offset, std::size_t width) {
  const std::string field = bytes.substr(offset, width);
  return field.substr(0, field.find('\0'));
}

class SettingsFileTest : public DialogFixture {
 protected:
  void SetUp() override {
    DialogFixture::SetUp();
    StartDialog(other);
  }

  // A second started dialog, to load into.
  HeadlessHost otherHost;
  Dialog other{otherHost};
  TempDir dir;
};

TEST_F(SettingsFileTest, SavesTheStartUpValuesInTheFileLayout) {
  SelectFace("DejaVu Sans");
  const std::string path = dir.File("defaults.ini");
  ASSERT_TRUE(SaveSettingsToFile(dlg, path).ok);
  const std::string bytes = ReadFileBytes(path);
  ASSERT_EQ(bytes.size(), kCurrentSize);

  EXPECT_EQ(TextAt(bytes, 0, 128), "DejaVu Sans");
  EXPECT_EQ(TextAt(bytes, 128, 512), "");
  EXPECT_EQ(TextAt(bytes, 640, 512), "");
  // Padding, the empty texts, the clear flags and Char width 0 are zeros up to Char height.
  EXPECT_EQ(bytes.find_first_not_of('\0', 11), 1160u);
  for (std::size_t flag = 1152; flag <= 1155; ++flag) EXPECT_EQ(bytes[flag], 0) << flag;

  struct Field {
    std::size_t offset;
    std::int32_t value;
  };
  const Field ints[] = {{1156, 0},   {1160, 20},  {1164, 255}, {1168, 0},   {1172, 255},
                        {1176, 255}, {1180, 255}, {1184, 255}, {1188, 255}, {1192, 255},
                        {1196, 255}, {1200, 8},   {1206, 8},   {1211, 0},   {1215, 255}};
  for (const Field& field : ints)
    EXPECT_EQ(IntAt(bytes, field.offset), field.value) << field.offset;
  EXPECT_EQ(bytes[1204], 1);  // Normal
  EXPECT_EQ(bytes[1205], 1);  // Gradient
  EXPECT_EQ(bytes[1210], 0);  // no centering
}

TEST_F(SettingsFileTest, StoresIntegersAsAtoiReadsThemAndLoadsThemAsDecimal) {
  SetText(dlg, kIdCharWidth, "");
  SetText(dlg, kIdCharHeight, "-5");
  SetText(dlg, kIdTileSize, "12abc");
  SetText(dlg, kIdBgRed, "300");
  const std::string bytes = EncodeSettings(dlg);
  EXPECT_EQ(bytes.substr(1160, 4), std::string("\xFB\xFF\xFF\xFF", 4));
  EXPECT_EQ(IntAt(bytes, 1206), 12);

  SetText(other, kIdCharWidth, "x");
  LoadSettingsFromBytes(other, bytes);
  EXPECT_EQ(otherHost.Text(kIdCharWidth), "0");
  EXPECT_EQ(otherHost.Text(kIdCharHeight), "-5");
  EXPECT_EQ(otherHost.Text(kIdTileSize), "12");
  EXPECT_EQ(otherHost.Text(kIdBgRed), "300");  // no range checks when loading
}

TEST_F(SettingsFileTest, ExportModeCodes) {
  struct Saved {
    int button;
    char code;
  };
  for (const Saved& row : {Saved{kIdExportNormal, 1}, Saved{kIdExportAll, 2},
                           Saved{kIdExportUser, 3}, Saved{kIdExportRange, 4}}) {
    host.Click(row.button);
    EXPECT_EQ(EncodeSettings(dlg)[1204], row.code) << row.button;
  }

  struct Loaded {
    unsigned char code;
    int button;
    const char* label;
  };
  const Loaded rows[] = {
      {0, kIdExportUser, "Export the following chars:"},
      {1, kIdExportNormal, "Exclude the following chars:"},
      {2, kIdExportAll, "Exclude the following chars:"},
      {3, kIdExportUser, "Export the following chars:"},
      {4, kIdExportRange, "In- / Exclude the following chars:"},
      {9, kIdExportUser, "Export the following chars:"},
  };
  std::string bytes = EncodeSettings(dlg);
  for (const Loaded& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.code));
    bytes[1204] = static_cast<char>(row.code);
    LoadSettingsFromBytes(other, bytes);
    for (int id : {kIdExportNormal, kIdExportAll, kIdExportUser, kIdExportRange}) {
      EXPECT_EQ(otherHost.Checked(id), id == row.button) << id;
    }
    EXPECT_EQ(otherHost.Text(kIdCharactersLabel), row.label);
    EXPECT_EQ(otherHost.Enabled(kIdRangeFrom), row.button == kIdExportRange);
  }
}

TEST_F(SettingsFileTest, ColorModeCodes) {
  struct Saved {
    int button;
    char code;
  };
  for (const Saved& row :
       {Saved{kIdColorGradient, 1}, Saved{kIdColorRelief, 2}, Saved{kIdColorImageOnly, 3},
        Saved{kIdColorGradientOverImage, 4}, Saved{kIdColorReliefOverImage, 5}}) {
    host.Click(row.button);
    EXPECT_EQ(EncodeSettings(dlg)[1205], row.code) << row.button;
  }

  std::string bytes = EncodeSettings(dlg);
  for (unsigned char code : {0, 6, 255}) {
    SCOPED_TRACE(static_cast<int>(code));
    bytes[1205] = static_cast<char>(code);
    LoadSettingsFromBytes(other, bytes);
    for (int id : {kIdColorGradient, kIdColorRelief, kIdColorImageOnly, kIdColorGradientOverImage,
                   kIdColorReliefOverImage}) {
      EXPECT_EQ(otherHost.Checked(id), id == kIdColorReliefOverImage) << id;
    }
    EXPECT_TRUE(otherHost.Enabled(kIdTexturePath));
    EXPECT_TRUE(otherHost.Enabled(kIdBrowseTexture));
    EXPECT_FALSE(otherHost.Enabled(kIdColorSteps));
  }

  bytes[1205] = 3;
  LoadSettingsFromBytes(other, bytes);
  EXPECT_TRUE(otherHost.Checked(kIdColorImageOnly));
  for (int id : {kIdTopRed, kIdTopGreen, kIdTopBlue, kIdChooseTop, kIdSubRed, kIdSubGreen,
                 kIdSubBlue, kIdChooseSub}) {
    EXPECT_FALSE(otherHost.Enabled(id)) << id;
  }
}

TEST_F(SettingsFileTest, OlderAndShortFiles) {
  SetText(dlg, kIdTileSize, "12");
  SetChecked(dlg, kIdCenter, true);
  SetText(dlg, kIdRangeFrom, "40");
  SetText(dlg, kIdRangeTo, "90");
  SetText(dlg, kIdCharHeight, "31");
  const std::string full = EncodeSettings(dlg);

  // Fields the file lacks keep what the dialog had.
  auto prepare = [&] {
    otherHost.ClearMessages();
    SetText(other, kIdTileSize, "5");
    SetChecked(other, kIdCenter, true);
    SetText(other, kIdRangeFrom, "1");
    SetText(other, kIdRangeTo, "2");
  };

  // A file of a version before 0.3 ends after the color mode.
  prepare();
  LoadSettingsFromBytes(other, full.substr(0, 1206));
  ASSERT_EQ(otherHost.messages().size(), 1u);
  EXPECT_EQ(otherHost.messages()[0].text, kOldVersionWarning);
  EXPECT_EQ(otherHost.messages()[0].title, "Warning");
  EXPECT_EQ(otherHost.messages()[0].icon, MessageIcon::kWarning);
  EXPECT_EQ(otherHost.Text(kIdTileSize), "8");
  EXPECT_FALSE(otherHost.Checked(kIdCenter));
  EXPECT_EQ(otherHost.Text(kIdRangeFrom), "1");
  EXPECT_EQ(otherHost.Text(kIdRangeTo), "2");
  EXPECT_EQ(otherHost.Text(kIdCharHeight), "31");

  // Ending right after the centering byte is no older version: no warning, no range.
  prepare();
  LoadSettingsFromBytes(other, full.substr(0, 1211));
  EXPECT_TRUE(otherHost.messages().empty());
  EXPECT_EQ(otherHost.Text(kIdTileSize), "12");
  EXPECT_TRUE(otherHost.Checked(kIdCenter));
  EXPECT_EQ(otherHost.Text(kIdRangeFrom), "1");
  EXPECT_EQ(otherHost.Text(kIdRangeTo), "2");

  // Ending inside the tile size: the warning resets it.
  prepare();
  LoadSettingsFromBytes(other, full.substr(0, 1208));
  EXPECT_EQ(otherHost.messages().size(), 1u);
  EXPECT_EQ(otherHost.Text(kIdTileSize), "8");

  // A file that ends before the mode codes leaves both radio groups as they were.
  prepare();
  otherHost.Click(kIdExportAll);
  otherHost.Click(kIdColorRelief);
  LoadSettingsFromBytes(other, full.substr(0, 1204));
  EXPECT_TRUE(otherHost.Checked(kIdExportAll));
  EXPECT_FALSE(otherHost.Checked(kIdExportNormal));
  EXPECT_TRUE(otherHost.Checked(kIdColorRelief));
  EXPECT_EQ(otherHost.Text(kIdCharHeight), "31");
}

TEST_F(SettingsFileTest, SelectsTheFirstFaceBeginningWithTheStoredName) {
  std::string bytes = EncodeSettings(dlg);
  auto storeFace = [&](const std::string& face) {
    bytes.replace(0, 128, std::string(128, '\0'));
    bytes.replace(0, face.size(), face);
  };

  storeFace("DejaVu Sans Mo");
  LoadSettingsFromBytes(other, bytes);
  EXPECT_EQ(FontListEntry(other, FontListSelection(other)), "DejaVu Sans Mono");

  storeFace("DejaVu");
  LoadSettingsFromBytes(other, bytes);
  const int selected = FontListSelection(other);
  EXPECT_EQ(FontListEntry(other, selected).rfind("DejaVu", 0), 0u);
  for (int i = 0; i < selected; ++i) EXPECT_NE(FontListEntry(other, i).rfind("DejaVu", 0), 0u);
  EXPECT_TRUE(otherHost.messages().empty());

  // A face that is not installed: the message, the selection kept, the rest loaded.
  storeFace("No Such Face Q7");
  SetText(dlg, kIdCharHeight, "17");
  bytes.replace(1160, 4, EncodeSettings(dlg).substr(1160, 4));
  LoadSettingsFromBytes(other, bytes);
  EXPECT_EQ(FontListSelection(other), selected);
  ASSERT_EQ(otherHost.messages().size(), 1u);
  EXPECT_EQ(otherHost.messages()[0].text,
            "You don't have the font No Such Face Q7 intalled, which is specified in the "
            "settings file!");
  EXPECT_EQ(otherHost.messages()[0].title, "Error");
  EXPECT_EQ(otherHost.messages()[0].icon, MessageIcon::kWarning);
  EXPECT_EQ(otherHost.Text(kIdCharHeight), "17");
}

TEST_F(SettingsFileTest, ReadsTextsOnlyFromTheBytesThatAreThere) {
  // The file ends inside the face name, without its terminator.
  SelectFace("DejaVu Sans");
  SetText(other, kIdCharacters, "kept");
  LoadSettingsFromBytes(other, "DejaVu Sans Mo");
  EXPECT_EQ(FontListEntry(other, FontListSelection(other)), "DejaVu Sans Mono");
  EXPECT_EQ(otherHost.Text(kIdCharacters), "kept");
  ASSERT_EQ(otherHost.messages().size(), 1u);
  EXPECT_EQ(otherHost.messages()[0].title, "Warning");

  // A characters text that fills its field with no terminator stops at the field's end;
  // one that the file cuts short is taken from what is there.
  std::string bytes = EncodeSettings(dlg);
  bytes.replace(128, 512, std::string(512, 'A'));
  bytes.replace(640, 4, "/tx\0", 4);
  LoadSettingsFromBytes(other, bytes);
  EXPECT_EQ(otherHost.Text(kIdCharacters), std::string(512, 'A'));
  EXPECT_EQ(otherHost.Text(kIdTexturePath), "/tx");
  LoadSettingsFromBytes(other, bytes.substr(0, 128 + 5));
  EXPECT_EQ(otherHost.Text(kIdCharacters), "AAAAA");
  EXPECT_EQ(otherHost.Text(kIdTexturePath), "/tx");

  // An empty file changes nothing but the older-version fields.
  otherHost.ClearMessages();
  const int selection = FontListSelection(other);
  LoadSettingsFromBytes(other, "");
  EXPECT_EQ(FontListSelection(other), selection);
  EXPECT_EQ(otherHost.Text(kIdCharacters), "AAAAA");
  ASSERT_EQ(otherHost.messages().size(), 1u);
  EXPECT_EQ(otherHost.messages()[0].title, "Warning");
}

TEST_F(SettingsFileTest, StoresCharactersInWindows1252AndCutsLongTexts) {
  // "ä€" and a check mark, which Windows-1252 cannot hold.
  SetText(dlg, kIdCharacters, "a\xC3\xA4\xE2\x82\xAC\xE2\x9C\x93z");
  // 510 bytes and a two-byte "é": the path's field holds 511, so the "é" goes whole.
  SetText(dlg, kIdTexturePath, std::string(510, 'p') + "\xC3\xA9");
  std::string bytes = EncodeSettings(dlg);
  EXPECT_EQ(TextAt(bytes, 128, 512), "a\xE4\x80z");
  EXPECT_EQ(TextAt(bytes, 640, 512), std::string(510, 'p'));
  EXPECT_EQ(bytes[640 + 511], '\0');

  LoadSettingsFromBytes(other, bytes);
  EXPECT_EQ(otherHost.Text(kIdCharacters),
            "a\xC3\xA4\xE2\x82\xAC"
            "z");

  SetText(dlg, kIdCharacters, std::string(600, 'x'));
  bytes = EncodeSettings(dlg);
  EXPECT_EQ(TextAt(bytes, 128, 512), std::string(511, 'x'));

  // A path written as Windows-1252 (not valid UTF-8) is read as such.
  bytes.replace(640, 6, "/t\xE9st\0", 6);
  LoadSettingsFromBytes(other, bytes);
  EXPECT_EQ(otherHost.Text(kIdTexturePath), "/t\xC3\xA9st");
}

TEST_F(SettingsFileTest, SaveAndLoadThroughTheFileDialogsRestoreEveryField) {
  SelectFace("DejaVu Sans Mono");
  SetText(dlg, kIdCharacters, "\xC3\xA4\xC3\xB6\xC3\x9F\r\nxyz");
  SetText(dlg, kIdTexturePath, "/tmp/t\xC3\xABxture.png");
  for (int id : {kIdBold, kIdItalic, kIdUnderline, kIdTrimOverflow, kIdCenter}) {
    SetChecked(dlg, id, true);
  }
  const int ints[] = {kIdCharWidth, kIdCharHeight, kIdBgRed,    kIdBgGreen,   kIdBgBlue,
                      kIdTopRed,    kIdTopGreen,   kIdTopBlue,  kIdSubRed,    kIdSubGreen,
                      kIdSubBlue,   kIdColorSteps, kIdTileSize, kIdRangeFrom, kIdRangeTo};
  int value = 3;
  for (int id : ints) SetInt(dlg, id, value += 7);
  host.Click(kIdExportRange);
  host.Click(kIdColorGradientOverImage);

  const std::string path = dir.File("all.ini");
  host.saveFileAnswers.push_back(std::nullopt);  // cancelled: nothing happens
  host.saveFileAnswers.push_back(path);
  SaveSettings(dlg);
  EXPECT_FALSE(std::filesystem::exists(path));
  SaveSettings(dlg);
  ASSERT_EQ(host.fileRequests.size(), 2u);
  const FileDialogRequest& request = host.fileRequests[1];
  EXPECT_EQ(request.title, "Save settings");
  ASSERT_EQ(request.filters.size(), 2u);
  EXPECT_EQ(request.filters[0].name, "INI - Glyphex settings");
  EXPECT_EQ(request.filters[0].pattern, "*.ini");
  EXPECT_EQ(request.filters[1].name, "All Files");
  EXPECT_EQ(request.filters[1].pattern, "*.*");
  EXPECT_EQ(request.defaultExtension, ".ini");
  EXPECT_TRUE(request.confirmOverwrite);
  EXPECT_EQ(std::filesystem::file_size(path), kCurrentSize);
  EXPECT_TRUE(host.messages().empty());

  otherHost.openFileAnswers.push_back(path);
  LoadSettings(other);
  ASSERT_EQ(otherHost.fileRequests.size(), 1u);
  EXPECT_EQ(otherHost.fileRequests[0].title, "Load settings");
  EXPECT_EQ(otherHost.fileRequests[0].defaultExtension, ".ini");
  EXPECT_FALSE(otherHost.fileRequests[0].confirmOverwrite);
  EXPECT_EQ(otherHost.fileRequests[0].filters.size(), 2u);
  EXPECT_TRUE(otherHost.messages().empty());

  EXPECT_EQ(otherHost.Text(kIdFontList), "DejaVu Sans Mono");
  for (int id : {kIdCharacters, kIdTexturePath}) EXPECT_EQ(otherHost.Text(id), host.Text(id)) << id;
  for (int id : ints) EXPECT_EQ(otherHost.Text(id), host.Text(id)) << id;
  for (int id : {kIdBold, kIdItalic, kIdUnderline, kIdTrimOverflow, kIdCenter, kIdExportNormal,
                 kIdExportAll, kIdExportUser, kIdExportRange, kIdColorGradient, kIdColorRelief,
                 kIdColorImageOnly, kIdColorGradientOverImage, kIdColorReliefOverImage}) {
    EXPECT_EQ(otherHost.Checked(id), host.Checked(id)) << id;
  }
  // Range and gradient over image, after the rules.
  for (int id : {kIdRangeFrom, kIdRangeTo, kIdTexturePath, kIdBrowseTexture, kIdColorSteps,
                 kIdTopRed, kIdChooseSub}) {
    EXPECT_TRUE(otherHost.Enabled(id)) << id;
  }
  EXPECT_EQ(otherHost.Text(kIdCharactersLabel), "In- / Exclude the following chars:");

  // A cancelled open dialog changes nothing and says nothing.
  SetText(other, kIdCharHeight, "99");
  LoadSettings(other);
  EXPECT_EQ(otherHost.Text(kIdCharHeight), "99");
  EXPECT_TRUE(otherHost.messages().empty());
}

TEST_F(SettingsFileTest, FailedSavesAndLoadsLeaveEverythingAsItWas) {
  const auto expectOneError = [](HeadlessHost& h, const char* text) {
    ASSERT_EQ(h.messages().size(), 1u);
    EXPECT_EQ(h.messages()[0].text, text);
    EXPECT_EQ(h.messages()[0].title, "Error");
    EXPECT_EQ(h.messages()[0].icon, MessageIcon::kQuestion);
    h.ClearMessages();
  };

  // A folder that does not exist.
  EXPECT_FALSE(SaveSettingsToFile(dlg, dir.File("missing/s.ini")).ok);
  expectOneError(host, "Could not write the specified file!");

  // A target that is a folder holding a file: both stay, no temporary file is left.
  const std::string folder = dir.File("taken.ini");
  std::filesystem::create_directory(folder);
  WriteFileBytes(folder + "/inside", "old");
  EXPECT_FALSE(SaveSettingsToFile(dlg, folder).ok);
  expectOneError(host, "Could not write the specified file!");
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(ReadFileBytes(folder + "/inside"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);

  // Saving over an existing file replaces it whole.
  const std::string existing = dir.File("existing.ini");
  WriteFileBytes(existing, std::string(5000, 'z'));
  EXPECT_TRUE(SaveSettingsToFile(dlg, existing).ok);
  EXPECT_EQ(ReadFileBytes(existing), EncodeSettings(dlg));

  // Loads that cannot open or read the file.
  SetText(other, kIdCharHeight, "99");
  EXPECT_FALSE(LoadSettingsFromFile(other, dir.File("none.ini")).ok);
  expectOneError(otherHost, "Could not open the specified file!");
  EXPECT_FALSE(LoadSettingsFromFile(other, folder).ok);
  expectOneError(otherHost, "Could not open the specified file!");
  // A FIFO is refused at once rather than waited on.
  const std::string fifo = dir.File("fifo.ini");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(CallGuardedAgainstFifo(fifo, [&] { return LoadSettingsFromFile(other, fifo).ok; }));
  expectOneError(otherHost, "Could not open the specified file!");
  EXPECT_EQ(otherHost.Text(kIdCharHeight), "99");
}

}  // namespace
