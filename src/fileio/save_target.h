// Where a save to a path writes: the path itself or, through symbolic links that are
// safe to follow, the file they name.
#pragma once

#include <optional>
#include <string>

// Follows the symbolic links at path link by link and stores in target the first name
// that is not a link (a file that need not exist yet). A link is followed only when it
// belongs to the current user (effective uid) or its folder is not both world-writable
// and sticky, since anyone can plant a link to someone else's file in a shared folder
// such as /tmp. A relative link is read relative to the link's own folder. Only the
// last component is examined; folders along the path are resolved by the system.
// Returns the name to write, or nothing for a refused or unreadable link and for a chain
// of more than 40 links, which is how a loop ends.
std::optional<std::string> ResolveSaveTarget(const std::string& path);

// The folder part of path ("." when it has none).
std::string FolderOf(const std::string& path);
