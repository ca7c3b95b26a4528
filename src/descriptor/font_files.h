// Font files and descriptor forms made straight from a sheet's cells: pure functions from
// a sheet description (and, for the font files, the run's mono threshold) to the bytes of
// the file.
//
//   BdfFont              BDF 2.1, a character-cell font (X11's bdftopcf, bdf2psf, libtcod)
//   PsfFont              PSF2 with a Unicode table, for the Linux console
//   OtbFont              a bitmap-only OpenType font: one monochrome strike at the cell height
//   FntXmlDescriptor     the records of the text bitmap-font descriptor, as XML
//   FntBinaryDescriptor  the same records in the binary form, version 3
//
// A font file holds one glyph for each character of the run's exported cells: the cell's
// pixels whose coverage is at least the threshold, with the code point as its encoding. A
// character that several exported cells hold is written once, from the first of them. A
// font file that the sheet cannot be written as fails with the message that says why.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/status.h"
#include "descriptor/descriptors.h"

// BDF 2.1 with SPACING "C": every glyph is the whole cell (BBX = FONTBOUNDINGBOX = cell
// width, cell height, 0, baseline row - cell height), advances by the cell width, and
// FONT_ASCENT + FONT_DESCENT is the cell height. PIXEL_SIZE is the cell height at 75 dpi;
// FAMILY_NAME, WEIGHT_NAME and SLANT come from the face and its styles; encodings are
// ISO 10646 code points; DEFAULT_CHAR is the space when the font holds it. Refused when
// the font would hold no character (a BDF font needs one).
Result<std::string> BdfFont(const SheetDescription& sheet, int threshold);

// PSF2 for the console: glyph i is cell i of the map, 256 glyphs or, for a map of more
// than 256 cells, 512 (glyphs past the map stay empty), rows of ceil(width / 8) bytes,
// most significant bit leftmost. The Unicode table lists each glyph's code point (none
// for a cell that exports no character). Refused for a cell wider than 32 or higher
// than 64 pixels, for a map of more than 512 cells, and for a file larger than the
// 64 KiB that kbd's setfont and psfgettable read (32 x 64 cells are too large for 256
// glyphs): the console could not load it.
Result<std::string> PsfFont(const SheetDescription& sheet, int threshold);

// Why PsfFont refuses cells of cellPx in a map of mapCells cells whatever they hold (a
// cell or a map too large for the console), or "" when it does not: a check that needs
// no sheet, for refusing before one is drawn.
Status PsfLimitRefusal(PixelSize cellPx, int mapCells);

// The limits of a PSF2 console font.
inline constexpr int kMaxPsfCellWidthPx = 32;
inline constexpr int kMaxPsfCellHeightPx = 64;
inline constexpr int kMaxPsfGlyphs = 512;
inline constexpr std::size_t kMaxPsfFileBytes = 65536;

// A bitmap-only sfnt (head, hhea, maxp, OS/2, name, cmap, post, hmtx, EBLC, EBDT): glyph 0
// is .notdef (a box), then one glyph per character in code point order, all of them the
// whole cell in one monochrome strike of cell height pixels per em. Every advance is the
// cell width and ascent + descent is the cell height (the em), in font units of 1/64
// pixel. The family is the face, the style its weight and slant. Refused when the font
// would hold no character, or more than a glyph index can count.
Result<std::string> OtbFont(const SheetDescription& sheet, int threshold);

// The text descriptor's info, common, page and char records (FntDescriptor) as an XML
// document in UTF-8: <font> holding <info>, <common>, <pages><page/></pages> and
// <chars count="N"><char/>...</chars>, with the same attributes and values. Names keep
// their quotes (escaped); control characters, which XML cannot hold, become spaces.
std::string FntXmlDescriptor(const SheetDescription& sheet);

// The same records in the binary bitmap-font form, version 3: "BMF" 3, then blocks 1
// (info), 2 (common), 3 (page names) and 4 (chars), each a type byte and a 32-bit size,
// every number little-endian. Page names as BinaryPageNames writes them.
std::string FntBinaryDescriptor(const SheetDescription& sheet);

// The page names as the binary form holds them: its readers take every name to be as
// long as the first, so each shorter name gets "./" in front as often as makes it as
// long as the longest. Nothing when one differs from the longest by an odd count (more
// than 10 pages of the same base name): the binary form cannot name those pages.
std::optional<std::vector<std::string>> BinaryPageNames(const std::vector<std::string>& names);
