// Writing a whole file so that a failure never leaves a broken one behind.
#pragma once

#include <string>
#include <string_view>

// Writes bytes to a temporary file in path's folder and renames it over path once it
// is completely written and closed, so that a failed write leaves an existing file at
// path as it was. A path that is a symbolic link to a file replaces the file it links
// to. Returns 0 on success, 1 on failure (nothing is left behind).
int WriteFileReplacing(const std::string& path, std::string_view bytes);
