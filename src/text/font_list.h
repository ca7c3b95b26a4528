// The installed typefaces: one entry per typeface name, found with fontconfig and
// named from each file's own name table; and font files added for the session.
#pragma once

#include <string>
#include <vector>

#include "base/status.h"

// The typeface names, without duplicates, sorted ignoring case. Built once per
// process on first use; an empty list when nothing can be enumerated.
// Font files added with AddFontFile are in the list from then on.
const std::vector<std::string>& InstalledTypefaces();

// Adds every face of the font file at path (all faces of a collection) to the
// catalog for the rest of the process, named from the file as installed files are.
// Matching then prefers an added face to an installed file of the same typeface name
// and style. Adding a file twice adds nothing new. Returns the typeface name of each
// face, in face order, or fails with the message for the user:
// "Could not open the font file "PATH": " and why: the system's reason (with its errno)
// when it cannot be opened, "it is not a regular file." for a folder, FIFO, device or
// socket (never handed to FreeType), "it is not a font FreeType can read.".
Result<std::vector<std::string>> AddFontFile(const std::string& path);

// The path of the file added with AddFontFile that holds typeface family (compared
// ignoring case); empty when no added file does.
std::string AddedFontFileOf(const std::string& family);

// Removes every file added with AddFontFile from the catalog: the list of a fresh
// process again. For tests, which share one process.
void ForgetAddedFontFiles();
