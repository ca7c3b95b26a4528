// The font catalog kept between runs, so that a start whose fonts have not changed
// need not start fontconfig. The cache holds the catalog and a key: everything that
// decides fontconfig's font set (its environment, version, configuration files and
// font folders, each with its modification time, inode and device). A key that no
// longer matches, or a file that is damaged, foreign or not ours, is never trusted.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.h"
#include "text/font_catalog.h"

// What stat() said of one path when the key was taken.
struct PathStamp {
  std::string path;
  bool exists = false;
  std::int64_t seconds = 0;  // modification time
  std::int64_t nanoseconds = 0;
  std::uint64_t inode = 0;
  std::uint64_t device = 0;
  bool operator==(const PathStamp&) const = default;
};

struct CacheKey {
  std::uint32_t fontconfigVersion = 0;
  std::vector<std::string> environment;  // "NAME=value", or "NAME" when unset
  std::vector<PathStamp> paths;
  bool operator==(const CacheKey&) const = default;
};

// Stamps path as it is now.
PathStamp StampPath(const std::string& path);

// The key of the running fontconfig configuration; starts fontconfig. nullopt when
// fontconfig cannot start.
std::optional<CacheKey> CurrentFontSetKey();

// Whether key still describes this process's environment and the paths it recorded,
// checked without fontconfig.
bool KeyIsCurrent(const CacheKey& key);

// The cache file's path: glyphex/fonts.cache under XDG_CACHE_HOME, else under
// $HOME/.cache; empty when neither is an absolute path.
std::string CatalogCachePath();

// The checksum that closes the file (over every byte before it).
std::uint64_t CacheChecksum(std::string_view bytes);

// The file's bytes, and back. DecodeCatalogCache rejects anything it did not write.
std::string EncodeCatalogCache(const CacheKey& key, const FontCatalog& catalog);
bool DecodeCatalogCache(std::string_view bytes, CacheKey& key, FontCatalog& catalog);

// The catalog from the cache file at path, when the file and its folder (opened
// without following a link at either) are owner's and writable by nobody else, the
// file is a regular file, intact, its key current and its values plausible; else
// nullopt.
std::optional<FontCatalog> ReadCatalogCache(const std::string& path, uid_t owner);

// Writes the cache file (mode 0600) through a temporary file and a rename in its
// folder, creating the folder and the one above it (0700) when missing. The folder
// must be the user's own, not a link, and writable by nobody else; a link at the file
// is replaced, never followed. A failure says why; nothing is printed.
Status WriteCatalogCache(const std::string& path, const CacheKey& key, const FontCatalog& catalog);

// The installed catalog: from the cache when it is current, else built with
// fontconfig (BuildFontCatalog) and the cache rewritten.
FontCatalog LoadFontCatalog();
