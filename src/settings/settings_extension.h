// The settings file's extension block: the values that the fixed 1219-byte layout has
// no room for (character map, grid, cell size, output kind, mono threshold,
// descriptors, font file, font files out, distance-field spread, fallback faces). The block follows
// the fixed bytes only when one of these values differs from its default, so a file with the
// defaults is still 1219 bytes and older readers, which stop after byte 1219, load every file.
//
// Block layout (integers little-endian, offsets from the block's first byte):
//   0   8 bytes  magic 89 47 4C 58 0D 0A 1A 0A ("\x89GLX\r\n\x1A\n"): the high first
//                byte and the CR LF catch a file sent through a text-mode transfer
//   8   u16      version, 1
//   10  records, back to back, each:
//         u16 tag, u32 length, length bytes of payload
//       ending with the end record (tag 0, length 0), which must be the block's last
//       bytes.
//
// The end record makes a block cut at a record boundary detectable: without it, a
// file cut after one whole record would load the rest at their defaults silently.
//
// Records: the options the option table keeps in the block, under its tags (a record that
// is left out means its option's default; the writer leaves out every option at its
// default, and writes the others in ascending tag order). Payloads by option kind:
//   character map   1 byte: 0 Windows-1252, 1 code page 437, 2 TCOD, 3 user file; and
//                   under its second tag the user map's path (UTF-8, no zero byte, at
//                   most 4096 bytes)
//   grid, cell      u16, u16 within the option's range (a cell's 0 = empty: square cells
//                   of the tile size)
//   choice          1 byte: a choice's code
//   integer         1 byte within the option's range
//   flag set        1 byte of the choices' bits; the other bits 0
//   font file       its path, as the map's
//   face list       its entries joined by ", " (UTF-8, as the map's path; none: no record)
// A choice added after its option's record was first written has a record of its own
// (OptionChoice::tag), since an older reader refuses a record with a code or bit it does
// not know but skips an unknown tag: a flag set's newer bits form a byte of their own,
// and a newer choice's code goes under its tag while the option's record holds the
// code of the choice older readers take instead (the distance-field output: gray).
// Tags so far: 1 character map, 2 its path, 3 grid, 4 cell size, 5 output kind, 6 mono
// threshold, 7 descriptors, 8 font file path, 9 font files (1 bdf, 2 psf, 4 otb), 10
// more descriptors (1 fnt-xml, 2 fnt-bin), 11 distance-field spread, 12 newer output
// kinds (4 the distance field; tag 5 then holds 2, gray), 13 box drawing, 14 pixel font,
// 16 fallback faces.
// The box drawing's default, auto, means built in for every map but cp1252 and is never
// stored: a record holds only a choice made (built in or from the font), which holds
// whatever the map.
// A record of a known tag must have exactly its payload's length (the paths any length
// up to their cap). Unknown tags are skipped by their length, so a newer writer adds
// records without changing the version; a new version means records this reader
// cannot read.
//
// The reader never trusts the block: every length is checked against the bytes left,
// the whole block is capped at kMaxSettingsExtensionSize, and a block that is cut,
// has a bad length, a bad version, a value out of range, a known record twice or bytes
// after its end record is ignored as a whole. Bytes after the fixed layout that do not
// begin like the magic are ignored silently: no version ever wrote anything there.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

// The block's records: tag to payload, each one an option's value other than its
// default.
using SettingsExtension = std::map<int, std::string>;

// The largest block the reader takes, and the largest path it keeps.
inline constexpr std::size_t kMaxSettingsExtensionSize = 64 * 1024;
inline constexpr std::size_t kMaxSettingsPathBytes = 4096;

// The warning shown when a block is there but cannot be used.
inline constexpr char kSettingsExtensionWarning[] =
    "The extension block of this settings file is damaged or from a newer version and was "
    "ignored.\nThe character map, grid, cell size and output options keep their defaults.";

// The block of extension's records: empty when there are none. A record that the reader
// would refuse (an unknown tag, a value out of its range, a path that is too long, not
// UTF-8 or holds a zero byte) is left out, as if its option were at its default, so
// that one bad value never makes the reader throw away the others.
std::string EncodeSettingsExtension(const SettingsExtension& extension);

// Reads the bytes that follow the fixed layout. out is set to the defaults first, then
// to the block's values. Returns true when there is no block (no bytes, or bytes that
// do not begin like the magic) or the block was read whole; returns false, with out at
// the defaults and warning set to kSettingsExtensionWarning, when a block is there but
// damaged.
bool DecodeSettingsExtension(std::string_view bytes, SettingsExtension& out, std::string& warning);
