// Writing a whole file so that a failure never leaves a broken one behind: the new
// contents go to a temporary file in the target's folder, which is renamed over the
// target only once it is complete.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// Calls write with the name of a fresh temporary file in path's folder; when it
// returns true, gives the file the mode of the file it replaces (or of a new file),
// flushes it to disk and renames it over path. A path that is a symbolic link to a
// file replaces the file it links to. Returns 0 on success, 1 on failure, and then
// nothing is left behind and an existing file at path is as it was.
int ReplaceFile(const std::string& path, const std::function<bool(const std::string&)>& write);

// ReplaceFile with bytes as the new contents.
int WriteFileReplacing(const std::string& path, std::string_view bytes);
