// The installed typefaces: one entry per typeface name, found with fontconfig and
// named from each file's own name table.
#pragma once

#include <string>
#include <vector>

// The typeface names, without duplicates, sorted ignoring case. Built once per
// process on first use; an empty list when nothing can be enumerated.
const std::vector<std::string>& InstalledTypefaces();
