// Reading a user character map file.
//
// The file is UTF-8 text (a leading byte order mark is skipped). Its tokens, separated
// by ASCII whitespace (space, tab, line breaks, vertical tab, form feed), fill the cells
// in order, 1 to kMaxMapCells (65,536) of them. A token is either
//   - one character, written as itself (one code point: "é" written as "e" and a
//     combining accent is two and is refused), or
//   - U+ and 4 to 6 hex digits, at most U+10FFFF and not a surrogate; U+0000 leaves
//     the cell empty, U+0020 is a space, or
//   - a range U+XXXX..U+YYYY: every code point from the first to the last, in order
//     (not reversed, no surrogate within), one cell each.
// Anything else refuses the whole file with a message naming the file and, where it
// applies, the line of the first fault.
#pragma once

#include <string>
#include <string_view>

#include "base/status.h"
#include "layout/charmap.h"

// Files longer than this are refused unread: 65,536 tokens of U+XXXXXX, one a line,
// take 576 KiB; 1 MiB leaves room for any spacing.
inline constexpr std::size_t kMaxCharMapFileBytes = 1024 * 1024;

// Parses text, the contents of the file at path (used only in messages). Returns the
// map (kind kFile, name path), or fails with the message.
Result<CharMap> ParseCharMapText(std::string_view text, const std::string& path);

// Reads the file at path (a regular file only, never blocking, at most
// kMaxCharMapFileBytes) and parses it. Returns the map, or fails with the message (and
// the errno of a file that could not be read).
Result<CharMap> LoadCharMapFile(const std::string& path);
