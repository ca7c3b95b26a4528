// The installed typefaces: one entry per typeface name, found with fontconfig and
// named from each file's own name table; and font files added for the session.
#pragma once

#include <string>
#include <vector>

// The typeface names, without duplicates, sorted ignoring case. Built once per
// process on first use; an empty list when nothing can be enumerated.
// Font files added with AddFontFile are in the list from then on.
const std::vector<std::string>& InstalledTypefaces();

enum class FontFileStatus {
  kAdded,       // families holds the file's typeface names
  kOpenFailed,  // the file cannot be opened; error holds errno
  kNotRegular,  // a folder, FIFO, device or socket: never handed to FreeType
  kNotFont,     // FreeType cannot read a face from it
};

struct FontFileResult {
  FontFileStatus status = FontFileStatus::kNotFont;
  int error = 0;                      // errno for kOpenFailed
  std::vector<std::string> families;  // the typeface name of each face, in face order
};

// Adds every face of the font file at path (all faces of a collection) to the
// catalog for the rest of the process, named from the file as installed files are.
// Matching then prefers an added face to an installed file of the same typeface name
// and style. Adding a file twice adds nothing new.
FontFileResult AddFontFile(const std::string& path);

// The path of the file added with AddFontFile that holds typeface family (compared
// ignoring case); empty when no added file does.
std::string AddedFontFileOf(const std::string& family);

// Removes every file added with AddFontFile from the catalog: the list of a fresh
// process again. For tests, which share one process.
void ForgetAddedFontFiles();
