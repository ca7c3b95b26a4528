// "Save all": one sheet for every face of the font list, in a folder the user picks.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "dialog/dialog.h"

// Validates once; when the color mode draws with the texture, loads it once (after its
// own message on failure, stops here); asks for the folder; then for each face:
// selects it, lets the dialog catch up (the preview timer), autosizes proportionally
// and exports "FOLDER/NAME", NAME from OutputFileName, whatever the result; a face
// whose export fails is named in one more message. The user may cancel between faces.
// Ends with the "finished" message. Returns 1 when validation, the texture or a
// cancelled folder prompt stopped it, or when any face failed; else 0.
int SaveAllFonts(Dialog& dlg);

// A face name as a file name: path separators and NULs become "_", and a leading dot
// becomes "_" so that the file is not hidden; an empty name becomes "_".
std::string SafeFileName(std::string_view face);

// The file name of face's sheet within one run: SafeFileName + ".png", the name before
// ".png" cut at a UTF-8 boundary so that it takes at most kMaxFileNameBytes bytes with
// the longest extension the run writes beside it (".png", or a descriptor's extension
// of longestExtension bytes, dot included), and when a name taken earlier in the run is
// the same (compared byte for byte, so case-sensitively, as Linux file systems do),
// " (2)", " (3)", ... before ".png", the name cut further to leave room. The name
// returned is added to taken. A sheet of several pages needs the names of its later
// pages too ("NAME_1.png", ...): each is counted in the room and must be free, and all
// are added.
std::string OutputFileName(std::string_view face, std::set<std::string>& taken,
                           std::size_t longestExtension = 0, int pages = 1);

// The longest file name, in bytes, that Linux file systems (ext4, XFS, Btrfs, tmpfs)
// accept.
constexpr std::size_t kMaxFileNameBytes = 255;
