// The catalog cache: its key, its file format and the hostile read of it.
#include "text/catalog_cache.h"

#include <fcntl.h>
#include <fontconfig/fontconfig.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <memory>

#include "fileio/file_handle.h"
#include "fileio/read_regular_file.h"
#include "fileio/replace_file.h"
#include "text/fontconfig_start.h"
#include "text/windows1252.h"

namespace {

// Bumped whenever the file layout or the way the catalog is built changes.
constexpr std::uint32_t kFormatVersion = 1;
constexpr char kMagic[8] = {'G', 'L', 'Y', 'F', 'C', 'A', 'T', '\n'};
// Far beyond any real catalog (a few hundred bytes per face).
constexpr std::size_t kMaxCacheBytes = std::size_t{16} << 20;
// The modification times a file system may round to: a path changed this close to
// fontconfig's start may have changed after fontconfig read it.
constexpr std::int64_t kRacySeconds = 2;

// The variables fontconfig reads to find its configuration, font folders and caches.
constexpr const char* kEnvironment[] = {
    "FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "HOME",
    "XDG_DATA_HOME",   "XDG_CONFIG_HOME", "XDG_CACHE_HOME"};

std::vector<std::string> CurrentEnvironment() {
  std::vector<std::string> values;
  for (const char* name : kEnvironment) {
    const char* value = std::getenv(name);
    values.push_back(value == nullptr ? std::string(name) : std::string(name) + "=" + value);
  }
  return values;
}

void AddList(FcStrList* list, std::vector<std::string>& paths) {
  if (list == nullptr) return;
  while (FcChar8* path = FcStrListNext(list)) paths.emplace_back(reinterpret_cast<char*>(path));
  FcStrListDone(list);
}

std::string ParentOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A folder from an XDG variable when it names an absolute path, else the fallback
// under HOME; empty when neither is known.
std::string XdgFolder(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  if (value != nullptr && value[0] == '/') return value;
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/" + fallback;
  return {};
}

// Byte writer and checked reader of the file's little-endian fields.
void PutNumber(std::string& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}
void PutString(std::string& out, const std::string& text) {
  PutNumber(out, text.size(), 4);
  out += text;
}

struct Reader {
  std::string_view bytes;
  bool ok = true;

  std::uint64_t Number(int size) {
    if (!ok || bytes.size() < static_cast<std::size_t>(size)) {
      ok = false;
      return 0;
    }
    std::uint64_t value = 0;
    for (int i = 0; i < size; ++i) {
      value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    }
    bytes.remove_prefix(static_cast<std::size_t>(size));
    return value;
  }
  std::string String() {
    const std::uint64_t size = Number(4);
    if (!ok || size > bytes.size()) {
      ok = false;
      return {};
    }
    std::string text(bytes.substr(0, size));
    bytes.remove_prefix(size);
    return text;
  }
  // A count of records each at least minBytes long, checked against what is left.
  std::size_t Count(std::size_t minBytes) {
    const std::uint64_t count = Number(4);
    if (!ok || count > bytes.size() / minBytes) ok = false;
    return ok ? static_cast<std::size_t>(count) : 0;
  }
};

// Whether a stamped path changed so close to fontconfig's start that fontconfig may
// have read it before the change.
bool IsRacy(const CacheKey& key, timespec start) {
  return std::any_of(key.paths.begin(), key.paths.end(), [&](const PathStamp& stamp) {
    return stamp.exists && stamp.seconds >= static_cast<std::int64_t>(start.tv_sec) - kRacySeconds;
  });
}

// Whether a decoded face holds only values the catalog's builder gives: a weight
// class in 1..1000, a face index that fits fontconfig's int, a family in UTF-8, and an
// absolute path. Anything else would reach matching's arithmetic or a file's open.
bool IsPlausibleFace(const TypefaceFile& entry) {
  return entry.weight >= 1 && entry.weight <= 1000 && entry.index >= 0 &&
         entry.index <= std::numeric_limits<std::int32_t>::max() && !entry.family.empty() &&
         IsValidUtf8(entry.family) && entry.file.starts_with('/') &&
         entry.file.find('\0') == std::string::npos;
}

// Whether every face's file is a regular file now: a cache naming anything else (a
// FIFO that would block its open, a folder) is not one this program wrote.
bool FilesAreRegular(const FontCatalog& catalog) {
  return std::all_of(catalog.files.begin(), catalog.files.end(), [](const TypefaceFile& entry) {
    struct stat info {};
    return stat(entry.file.c_str(), &info) == 0 && S_ISREG(info.st_mode);
  });
}

std::string NameOf(const std::string& path) {
  return path.substr(path.find_last_of('/') + 1);
}

// The cache's own folder, opened relative to the folder above it. That one is taken as
// configured (XDG_CACHE_HOME or ~/.cache, which may be a link the user made); others
// may be able to write to it (/tmp, a shared home), and so plant a folder or a link
// there. The cache's folder is therefore used only when it is a folder, not a link, of
// owner's that nobody else may write to; nobody else can then put anything in it.
// With create, missing folders are made (0700) first. An empty descriptor otherwise.
FileDescriptor OpenCacheFolder(const std::string& folder, uid_t owner, bool create) {
  const std::string parent = ParentOf(folder);
  const std::string name = NameOf(folder);
  if (parent.empty() || name.empty()) return {};
  if (create) mkdir(parent.c_str(), 0700);
  const FileDescriptor above(open(parent.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (above.get() < 0) return {};
  if (create) mkdirat(above.get(), name.c_str(), 0700);
  FileDescriptor opened(
      openat(above.get(), name.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  struct stat info {};
  if (opened.get() < 0 || fstat(opened.get(), &info) != 0 || !S_ISDIR(info.st_mode) ||
      info.st_uid != owner || (info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    return {};
  }
  return opened;
}

}  // namespace

// FNV-1a: finds a cut or changed byte.
std::uint64_t CacheChecksum(std::string_view bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ull;
  }
  return hash;
}

PathStamp StampPath(const std::string& path) {
  PathStamp stamp;
  stamp.path = path;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) return stamp;
  stamp.exists = true;
  stamp.seconds = info.st_mtim.tv_sec;
  stamp.nanoseconds = info.st_mtim.tv_nsec;
  stamp.inode = info.st_ino;
  stamp.device = info.st_dev;
  return stamp;
}

std::optional<CacheKey> CurrentFontSetKey() {
  if (!StartFontconfig()) return std::nullopt;
  CacheKey key;
  key.fontconfigVersion = static_cast<std::uint32_t>(FcGetVersion());
  key.environment = CurrentEnvironment();

  std::vector<std::string> paths;
  AddList(FcConfigGetConfigFiles(nullptr), paths);  // the files and the conf.d folders
  // A configuration file created beside another, or where fonts.conf includes one
  // that was missing, changes the set as well.
  const std::size_t files = paths.size();
  for (std::size_t i = 0; i < files; ++i) paths.push_back(ParentOf(paths[i]));
  const std::string config = XdgFolder("XDG_CONFIG_HOME", ".config");
  if (!config.empty()) {
    paths.push_back(config + "/fontconfig/conf.d");
    paths.push_back(config + "/fontconfig/fonts.conf");
  }
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
    paths.push_back(std::string(home) + "/.fonts.conf.d");
    paths.push_back(std::string(home) + "/.fonts.conf");
  }
  AddList(FcConfigGetConfigDirs(nullptr), paths);
  AddList(FcConfigGetFontDirs(nullptr), paths);  // with their subfolders

  std::erase(paths, std::string());
  std::sort(paths.begin(), paths.end());
  paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
  for (const std::string& path : paths) key.paths.push_back(StampPath(path));
  return key;
}

bool KeyIsCurrent(const CacheKey& key) {
  if (key.fontconfigVersion != static_cast<std::uint32_t>(FcGetVersion())) return false;
  if (key.environment != CurrentEnvironment()) return false;
  return std::all_of(key.paths.begin(), key.paths.end(),
                     [](const PathStamp& stamp) { return StampPath(stamp.path) == stamp; });
}

std::string CatalogCachePath() {
  const std::string folder = XdgFolder("XDG_CACHE_HOME", ".cache");
  return folder.empty() ? std::string() : folder + "/glyphex/fonts.cache";
}

std::string EncodeCatalogCache(const CacheKey& key, const FontCatalog& catalog) {
  std::string out(kMagic, sizeof kMagic);
  PutNumber(out, kFormatVersion, 4);
  PutNumber(out, key.fontconfigVersion, 4);
  PutNumber(out, key.environment.size(), 4);
  for (const std::string& entry : key.environment) PutString(out, entry);
  PutNumber(out, key.paths.size(), 4);
  for (const PathStamp& stamp : key.paths) {
    PutString(out, stamp.path);
    PutNumber(out, stamp.exists ? 1 : 0, 1);
    PutNumber(out, static_cast<std::uint64_t>(stamp.seconds), 8);
    PutNumber(out, static_cast<std::uint64_t>(stamp.nanoseconds), 8);
    PutNumber(out, stamp.inode, 8);
    PutNumber(out, stamp.device, 8);
  }
  PutNumber(out, catalog.files.size(), 4);
  for (const TypefaceFile& entry : catalog.files) {
    PutString(out, entry.family);
    PutString(out, entry.file);
    PutNumber(out, static_cast<std::uint64_t>(entry.index), 8);
    PutNumber(out, static_cast<std::uint32_t>(entry.weight), 4);
    PutNumber(out, (entry.italic ? 1 : 0) | (entry.trueType ? 2 : 0), 1);
  }
  PutNumber(out, CacheChecksum(out), 8);
  return out;
}

bool DecodeCatalogCache(std::string_view bytes, CacheKey& key, FontCatalog& catalog) {
  if (bytes.size() < sizeof kMagic + 8 ||
      bytes.substr(0, sizeof kMagic) != std::string_view(kMagic, sizeof kMagic)) {
    return false;
  }
  Reader tail{bytes.substr(bytes.size() - 8)};
  if (tail.Number(8) != CacheChecksum(bytes.substr(0, bytes.size() - 8))) return false;
  Reader in{bytes.substr(sizeof kMagic, bytes.size() - sizeof kMagic - 8)};
  if (in.Number(4) != kFormatVersion) return false;

  key = {};
  catalog = {};
  key.fontconfigVersion = static_cast<std::uint32_t>(in.Number(4));
  key.environment.resize(in.Count(4));
  for (std::string& entry : key.environment) entry = in.String();
  key.paths.resize(in.Count(4 + 33));
  for (PathStamp& stamp : key.paths) {
    stamp.path = in.String();
    const std::uint64_t exists = in.Number(1);
    stamp.exists = exists == 1;
    stamp.seconds = static_cast<std::int64_t>(in.Number(8));
    stamp.nanoseconds = static_cast<std::int64_t>(in.Number(8));
    stamp.inode = in.Number(8);
    stamp.device = in.Number(8);
    if (exists > 1) in.ok = false;
  }
  catalog.files.resize(in.Count(4 + 4 + 13));
  for (TypefaceFile& entry : catalog.files) {
    entry.family = in.String();
    entry.file = in.String();
    entry.index = static_cast<long>(in.Number(8));
    entry.weight = static_cast<int>(static_cast<std::int32_t>(in.Number(4)));
    const std::uint64_t flags = in.Number(1);
    entry.italic = (flags & 1) != 0;
    entry.trueType = (flags & 2) != 0;
    if (flags > 3 || !IsPlausibleFace(entry)) in.ok = false;
    if (!in.ok) return false;
    entry.key = FoldedKey(entry.family);
  }
  if (!in.ok || !in.bytes.empty()) return false;

  // Lookups search the files by key: they must come sorted, as they were written.
  for (std::size_t i = 0; i < catalog.files.size(); ++i) {
    if (i > 0 && catalog.files[i].key < catalog.files[i - 1].key) return false;
    if (i == 0 || catalog.files[i].key != catalog.files[i - 1].key) {
      catalog.typefaces.push_back(catalog.files[i].family);
    }
  }
  return true;
}

std::optional<FontCatalog> ReadCatalogCache(const std::string& path, uid_t owner) {
  if (path.empty()) return std::nullopt;
  const FileDescriptor folder = OpenCacheFolder(ParentOf(path), owner, false);
  if (folder.get() < 0) return std::nullopt;
  const Result<FileRead> read =
      ReadRegularFile(NameOf(path).c_str(), kMaxCacheBytes, O_NOFOLLOW, folder.get());
  if (!read || read->beyondLimit || read->owner != owner ||
      (read->mode & (S_IWGRP | S_IWOTH)) != 0) {
    return std::nullopt;
  }
  CacheKey key;
  FontCatalog catalog;
  if (!DecodeCatalogCache(read->bytes, key, catalog) || !KeyIsCurrent(key) ||
      !FilesAreRegular(catalog)) {
    return std::nullopt;
  }
  return catalog;
}

Status WriteCatalogCache(const std::string& path, const CacheKey& key, const FontCatalog& catalog) {
  const FileDescriptor folder = OpenCacheFolder(ParentOf(path), geteuid(), true);
  if (folder.get() < 0) {
    return Failure(
        "The cache folder cannot be made, is not the user's own, or others may write it.");
  }
  const std::string bytes = EncodeCatalogCache(key, catalog);
  return WriteFileReplacingAt(folder.get(), NameOf(path), bytes, 0600);
}

FontCatalog LoadFontCatalog() {
  // FC_DEBUG makes fontconfig print as it starts: such a run always starts it.
  const char* debug = std::getenv("FC_DEBUG");
  const std::string path = (debug == nullptr || debug[0] == '\0') ? CatalogCachePath() : "";
  if (std::optional<FontCatalog> cached = ReadCatalogCache(path, geteuid())) {
    return std::move(*cached);
  }
  // The key is taken before the catalog is built and checked again after, so that a
  // change while building leaves no cache that hides it.
  const std::optional<CacheKey> key = CurrentFontSetKey();
  FontCatalog catalog = BuildFontCatalog();
  if (!path.empty() && key && FontconfigStartedQuietly() && !IsRacy(*key, FontconfigStartTime()) &&
      KeyIsCurrent(*key)) {
    (void)WriteCatalogCache(path, *key, catalog);  // without a cache, the next start builds anew
  }
  return catalog;
}
