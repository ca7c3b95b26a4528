// What the window says about its controls beyond their captions: a tooltip of one
// short sentence for each, and the group captions with their mnemonics (Alt+letter
// moves the focus to the group's first control).
#pragma once

#include <QString>
#include <string_view>

// The tooltip of the control id; empty for an identifier the window does not know.
QString ControlToolTip(int id);

// The tooltip of the "Recent files" button, which is the window's own.
QString RecentFilesToolTip();

// The group box caption with its mnemonic ("Fo&nt settings"); the caption itself
// when it has none.
QString GroupCaptionWithMnemonic(std::string_view caption);
