// glyphex-cli: the dialog's operations from the command line, on the headless host.
#include <CLI/CLI.hpp>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "app/autosize_command.h"
#include "app/export_commands.h"
#include "app/save_all.h"
#include "cli/cli_session.h"
#include "cli/field_options.h"
#include "cli/preview_output.h"
#include "dialog/control_table.h"
#include "dialog/font_file.h"
#include "options/control_ids.h"
#include "settings/settings_file.h"
#include "text/control_escape.h"
#include "text/font_list.h"

namespace {

struct Command {
  CLI::App* app;
  FieldOptions fields;
};

// One face a line, escaped as the fields are, so a name cannot break its line.
int RunFonts() {
  for (const std::string& face : InstalledTypefaces()) {
    std::printf("%s\n", EscapeForLine(face).c_str());
  }
  return 0;
}

int RunFields(CliSession& session) {
  for (const ControlDef& def : ControlTable()) {
    std::printf("%d\t%d\t%d\t%s\n", def.id, session.host.Enabled(def.id) ? 1 : 0,
                session.host.Checked(def.id) ? 1 : 0,
                EscapeForLine(session.host.Text(def.id)).c_str());
  }
  return session.Finish(false);
}

int RunExport(CliSession& session, const std::string& file) {
  session.host.saveFileAnswers.push_back(file);
  return session.Finish(SaveBitmapCommand(session.dlg) != 0);
}

struct PreviewOptions {
  std::string file;
  bool sample = false;    // the font sample instead of the sheet
  int zoom = 0;           // 1, 2 or 4: a click on that zoom button; 0 for none
  std::vector<int> drag;  // DX, DY screen pixels, or empty
};

// A press position from which a drag of delta pixels ends inside the int range: 1000,
// unless the drag is too long for that.
int DragStart(int delta) {
  constexpr std::int64_t kUsual = 1000;
  const std::int64_t end = kUsual + delta;
  if (end > INT_MAX) return INT_MAX - delta;
  if (end < INT_MIN) return static_cast<int>(std::int64_t{INT_MIN} - delta);
  return static_cast<int>(kUsual);
}

int RunPreview(CliSession& session, const PreviewOptions& options) {
  HeadlessHost& host = session.host;
  bool failed = false;
  if (options.sample) {
    // "Font Preview" pressed into its checked state.
    host.SetChecked(kIdFontPreview, true);
    host.Send(DialogMessage::kCommand, kIdFontPreview, kNotifyClicked);
  } else {
    failed = ImagePreviewCommand(session.dlg) != 0;
  }
  if (!failed && options.zoom != 0) {
    host.Click(options.zoom == 4 ? kIdZoom4 : options.zoom == 2 ? kIdZoom2 : kIdZoom1);
  }
  if (!failed && options.drag.size() == 2) {
    // Press on the area, move the cursor by the drag, release. The press is where the
    // whole drag stays on the int screen, so even the largest drag keeps its length.
    const ScreenPoint start{DragStart(options.drag[0]), DragStart(options.drag[1])};
    host.SetCursor(start);
    host.Click(kIdPreviewArea);
    host.SetCursor({start.x + options.drag[0], start.y + options.drag[1]});
    host.Send(DialogMessage::kMouseMove);
    host.Send(DialogMessage::kLButtonUp);
  }
  if (!failed && WritePreviewArea(host, options.file) != 0) {
    session.host.MessageBox("Could not write the preview image!", "Error", MessageIcon::kWarning);
    return session.Finish(true);
  }
  return session.Finish(failed);
}

int RunAutosize(CliSession& session, bool full) {
  return session.Finish(
      AutosizeCommand(session.dlg, full ? AutosizeMode::kFull : AutosizeMode::kProportional) != 0);
}

int RunSaveAll(CliSession& session, const std::string& folder) {
  session.host.folderAnswers.push_back(folder);
  return session.Finish(SaveAllFonts(session.dlg) != 0);
}

int RunSettingsSave(CliSession& session, const std::string& file) {
  return session.Finish(!SaveSettingsToFile(session.dlg, file));
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"glyphex-cli: turn an installed font into a bitmap font sheet (32 x 8 tiles)",
               "glyphex-cli"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "glyphex-cli 0.3a");

  CLI::App* fonts = app.add_subcommand("fonts", "list the installed typefaces, one a line");
  std::vector<std::string> fontFiles;
  fonts
      ->add_option("--font-file", fontFiles,
                   "list the typefaces of this font file too, as if it were installed")
      ->type_name("PATH");
  std::vector<Command> commands;
  auto add = [&](const char* name, const char* help) {
    CLI::App* sub = app.add_subcommand(name, help);
    commands.push_back({sub, {}});
    return sub;
  };

  CLI::App* fields =
      add("fields", "print every control after the options: id, enabled, checked, text");
  std::string exportFile;
  CLI::App* exportCmd = add("export", "save the sheet to FILE, as \"Save bitmap\" does");
  exportCmd
      ->add_option("FILE", exportFile,
                   "output image; the extension names the format; the later pages of a map "
                   "larger than the grid go to FILE_1, FILE_2, ... before the extension")
      ->required();
  PreviewOptions preview;
  CLI::App* previewCmd =
      add("preview",
          "show the sheet in the Preview area (\"Image preview (once)\"), then zoom "
          "and drag, and write the area, 369 x 185 pixels, to FILE as PNG");
  previewCmd->add_option("FILE", preview.file, "PNG file for the Preview area")->required();
  previewCmd->add_flag("--sample", preview.sample,
                       "show the font sample (\"Font Preview\") instead of the sheet");
  previewCmd->add_option("--zoom", preview.zoom, "click that zoom button: 1, 2 or 4")
      ->check(CLI::IsMember({1, 2, 4}));
  previewCmd->add_option("--drag", preview.drag, "drag on the Preview area by DX,DY screen pixels")
      ->delimiter(',')
      ->expected(2)
      ->type_name("DX,DY");

  bool autosizeFull = false;
  CLI::App* autosizeCmd = add("autosize",
                              "suggest Char height (and with --full Char width) for the tile size, "
                              "as the Autosize buttons do");
  autosizeCmd->add_flag("--full", autosizeFull, "search a width too (\"Autosize (full)\")");

  std::string saveAllFolder;
  CLI::App* saveAllCmd = add("save-all",
                             "autosize and export every installed typeface as FOLDER/FACE.png, as "
                             "\"Save all\" does");
  saveAllCmd->add_option("FOLDER", saveAllFolder, "an existing folder for the sheets")
      ->required()
      ->check(CLI::ExistingDirectory);

  CLI::App* settingsCmd = app.add_subcommand("settings", "settings files");
  settingsCmd->require_subcommand(1);
  std::string settingsFile;
  CLI::App* settingsSave =
      settingsCmd->add_subcommand("save", "save the fields to FILE, as \"Save settings ...\" does");
  commands.push_back({settingsSave, {}});
  settingsSave->add_option("FILE", settingsFile, "the settings file to write")->required();

  // Building the field options is a good share of a short run's start, and only the
  // command named first can be parsed: it alone gets them, unless no command comes first.
  const bool commandFirst = argc >= 2 && argv[1][0] != '-';
  for (Command& c : commands) {
    const CLI::App* top = c.app;
    while (top->get_parent() != &app) top = top->get_parent();
    if (!commandFirst || top->check_name(argv[1])) c.fields = AddFieldOptions(*c.app);
  }

  // Name a mistyped command instead of only saying that one is required.
  bool known = argc < 2 || argv[1][0] == '-';
  if (!known)
    for (const CLI::App* sub : app.get_subcommands({})) known |= sub->check_name(argv[1]);
  if (!known) {
    std::fprintf(stderr, "unknown command \"%s\"\nRun with --help for more information.\n",
                 EscapeForLine(argv[1]).c_str());
    return 2;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e);
    return status == 0 ? 0 : 2;
  }

  if (fonts->parsed()) {
    if (!fontFiles.empty()) {
      // A dialog only to report a file that cannot be added, as every command does.
      CliSession session(false);
      for (const std::string& file : fontFiles) {
        if (OpenFontFile(session.dlg, file) != 0) return session.Finish(true);
      }
    }
    return RunFonts();
  }

  // Only the preview command writes the Preview area.
  CliSession session(previewCmd->parsed());
  for (const Command& c : commands) {
    if (!c.app->parsed()) continue;
    const Status applied = ApplyFieldOptions(*c.app, c.fields, session.dlg, session.host);
    if (!applied.message.empty()) {
      std::fprintf(stderr, "%s\n", EscapeControls(applied.message).c_str());
      return 2;
    }
    if (!applied) return session.Finish(true);
  }
  if (fields->parsed()) return RunFields(session);
  if (exportCmd->parsed()) return RunExport(session, exportFile);
  if (previewCmd->parsed()) return RunPreview(session, preview);
  if (autosizeCmd->parsed()) return RunAutosize(session, autosizeFull);
  if (saveAllCmd->parsed()) return RunSaveAll(session, saveAllFolder);
  if (settingsSave->parsed()) return RunSettingsSave(session, settingsFile);
  return 2;
}
