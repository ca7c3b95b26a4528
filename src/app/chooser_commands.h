// The "Choose ..." color buttons, "Browse ..." for the texture image and the character
// map list's "Unicode ranges ..." and "From file ...", and "Open font file ...".
#pragma once

#include <array>
#include <cstdint>

#include "dialog/dialog.h"

// The 16 custom colors the color chooser shows (0x00BBGGRR), zero at start and kept
// for the run of the program.
std::array<std::uint32_t, 16>& CustomColors();

// Opens the color chooser at the color of fields firstId..firstId+2 (low 8 bits of
// each) and writes the chosen red, green and blue back as "%d"; cancel changes
// nothing.
void ChooseColorCommand(Dialog& dlg, int firstId);

// Asks for an image file and puts its full path into the Path field; cancel changes
// nothing.
void BrowseTextureCommand(Dialog& dlg);

// Asks for a character map file and reads it: a good one's full path goes into the
// character map field; a bad one's message is shown (title "Error") and, as after a
// cancel, nothing changes.
void BrowseCharMapCommand(Dialog& dlg);

// Asks for Unicode ranges (the map's own when it is a Unicode map, else an example) and
// checks them: good ones become the map "unicode:RANGES"; bad ones' message is shown
// (title "Error") and, as after a cancel, nothing changes.
void AskUnicodeRangesCommand(Dialog& dlg);

// Asks for a font file and adds its typefaces to the font list (OpenFontFile), telling
// the host of a file added (FileUsed); cancel changes nothing.
void OpenFontFileCommand(Dialog& dlg);
