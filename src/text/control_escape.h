// Text made safe to print or show: control characters as visible escapes, so that text
// taken from files and fonts (paths, face names, map tokens) can neither act on a
// terminal nor cut a line or a message short.
#pragma once

#include <string>
#include <string_view>

// text for one line of output that a reader can undo: \\, \t, \r and \n escaped as
// such, every other control character (below 0x20, and 0x7F) as \xNN in lowercase hex;
// other bytes as they are.
std::string EscapeForLine(std::string_view text);

// text with its line breaks kept: every control character but "\n" as \xNN in lowercase
// hex, every other byte (a backslash too) as it is, so that text without control
// characters is shown unchanged.
std::string EscapeControls(std::string_view text);
