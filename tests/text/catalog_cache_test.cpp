// The catalog cache on the installed fonts: what it gives back, and every change or
// damage that must make a run build the catalog afresh.
#include "text/catalog_cache.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <tuple>

#include "support/temp_dir.h"
#include "text/font_catalog.h"

namespace {

void ExpectSameCatalog(const FontCatalog& a, const FontCatalog& b) {
  EXPECT_EQ(a.typefaces, b.typefaces);
  ASSERT_EQ(a.files.size(), b.files.size());
  for (std::size_t i = 0; i < a.files.size(); ++i) {
    const TypefaceFile& x = a.files[i];
    const TypefaceFile& y = b.files[i];
    EXPECT_EQ(std::tie(x.family, x.file, x.index, x.weight, x.italic, x.trueType, x.key, x.added),
              std::tie(y.family, y.file, y.index, y.weight, y.italic, y.trueType, y.key, y.added))
        << i;
  }
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}
void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}
// Replaces the closing checksum, so that only the change under test is wrong.
std::string Resealed(std::string bytes) {
  bytes.resize(bytes.size() - 8);
  const std::uint64_t sum = CacheChecksum(bytes);
  for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<char>(sum >> (8 * i) & 0xFF));
  return bytes;
}
// Moves the modification time by one nanosecond, the least a change can show.
void Touch(const std::string& path) {
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0) << path;
  const timespec times[2] = {{0, UTIME_OMIT}, {info.st_mtim.tv_sec, info.st_mtim.tv_nsec ^ 1}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

TEST(CatalogCacheTest, GivesBackTheCatalogOnlyWhileNothingChanged) {
  const TempDir dir;
  const std::string fontDir = dir.File("fonts");
  const std::string configFile = dir.File("fonts.conf");
  std::filesystem::create_directory(fontDir);
  WriteAll(configFile, "<fontconfig/>");
  const std::string folder = dir.File("cache/glyphex");
  const std::string cache = folder + "/fonts.cache";
  const std::string fifo = dir.File("pipe.ttf");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);

  const FontCatalog fresh = BuildFontCatalog();
  ASSERT_FALSE(fresh.files.empty());
  std::optional<CacheKey> key = CurrentFontSetKey();
  ASSERT_TRUE(key);
  key->paths.push_back(StampPath(fontDir));
  key->paths.push_back(StampPath(configFile));
  const auto write = [&] {
    key->paths.end()[-2] = StampPath(fontDir);
    key->paths.end()[-1] = StampPath(configFile);
    ASSERT_TRUE(WriteCatalogCache(cache, *key, fresh));
  };
  write();
  EXPECT_EQ(std::filesystem::status(cache).permissions(), std::filesystem::perms(0600));
  const std::optional<FontCatalog> cached = ReadCatalogCache(cache, geteuid());
  ASSERT_TRUE(cached);
  ExpectSameCatalog(*cached, fresh);

  // Header: 8 magic, 4 format version, 4 fontconfig version, 4 count, then the first
  // entry's length.
  std::string good = ReadAll(cache);  // the valid file each row starts from
  const auto withByte = [&](std::size_t at, char value) {
    std::string bytes = good;
    bytes[at] = value;
    return bytes;
  };
  // A valid file whose last face holds a value the builder never gives.
  const auto withLastFace = [&](std::function<void(TypefaceFile&)> edit) {
    return [&, edit] {
      FontCatalog odd = fresh;
      edit(odd.files.back());
      EXPECT_TRUE(WriteCatalogCache(cache, *key, odd));
    };
  };
  const struct {
    const char* what;
    std::function<void()> change;
    uid_t owner = geteuid();
  } rows[] = {
      {"font folder touched", [&] { Touch(fontDir); }},
      {"file added to the font folder", [&] { WriteAll(fontDir + "/new.ttf", ""); }},
      {"config file touched", [&] { Touch(configFile); }},
      {"config file removed", [&] { std::filesystem::remove(configFile); }},
      {"environment changed", [&] { setenv("FONTCONFIG_PATH", dir.File("elsewhere").c_str(), 1); }},
      {"fontconfig version",
       [&] {
         CacheKey other = *key;
         ++other.fontconfigVersion;
         EXPECT_TRUE(WriteCatalogCache(cache, other, fresh));
       }},
      {"cut", [&] { WriteAll(cache, good.substr(0, good.size() / 2)); }},
      {"cut, resealed", [&] { WriteAll(cache, Resealed(good.substr(0, good.size() - 20))); }},
      // The last face's italic flag: a change the decoding alone would accept.
      {"flipped bit",
       [&] { WriteAll(cache, withByte(good.size() - 9, good[good.size() - 9] ^ 1)); }},
      {"format version", [&] { WriteAll(cache, Resealed(withByte(8, good[8] + 1))); }},
      {"huge length", [&] { WriteAll(cache, Resealed(withByte(23, '\x7f'))); }},
      {"huge count", [&] { WriteAll(cache, Resealed(withByte(19, '\x7f'))); }},
      {"oversized", [&] { std::filesystem::resize_file(cache, std::size_t{17} << 20); }},
      {"weight INT_MIN", withLastFace([](TypefaceFile& f) { f.weight = INT_MIN; })},
      {"weight 1001", withLastFace([](TypefaceFile& f) { f.weight = 1001; })},
      {"index beyond an int", withLastFace([](TypefaceFile& f) { f.index = 0x80000000L; })},
      {"family not UTF-8", withLastFace([](TypefaceFile& f) { f.family += '\xff'; })},
      {"relative path", withLastFace([](TypefaceFile& f) { f.file = "DejaVuSans.ttf"; })},
      {"path with a NUL", withLastFace([](TypefaceFile& f) { f.file += '\0'; })},
      {"path a FIFO", withLastFace([&](TypefaceFile& f) { f.file = fifo; })},
      {"path a folder", withLastFace([&](TypefaceFile& f) { f.file = fontDir; })},
      {"empty", [&] { WriteAll(cache, ""); }},
      {"group-writable", [&] { chmod(cache.c_str(), 0620); }},
      {"owned by another user", [] {}, geteuid() + 1},
      {"symbolic link",
       [&] {
         std::filesystem::rename(cache, cache + ".real");
         std::filesystem::create_symlink(cache + ".real", cache);
       }},
      {"folder writable by the group", [&] { chmod(folder.c_str(), 0770); }},
      {"folder a symbolic link",
       [&] {
         std::filesystem::rename(folder, folder + ".real");
         std::filesystem::create_symlink(folder + ".real", folder);
       }},
  };
  for (const auto& row : rows) {
    row.change();
    EXPECT_FALSE(ReadCatalogCache(cache, row.owner)) << row.what;
    // Put everything back: the next row starts from a valid cache.
    unsetenv("FONTCONFIG_PATH");
    WriteAll(configFile, "<fontconfig/>");
    std::filesystem::remove(fontDir + "/new.ttf");
    if (std::filesystem::is_symlink(folder)) {
      std::filesystem::remove(folder);
      std::filesystem::rename(folder + ".real", folder);
    }
    chmod(folder.c_str(), 0700);
    std::filesystem::remove(cache);
    std::filesystem::remove(cache + ".real");
    write();
    good = ReadAll(cache);
    ASSERT_TRUE(ReadCatalogCache(cache, geteuid())) << "after " << row.what;
  }
}

// In a folder that others can write to, as /tmp is, another user plants the cache's
// folder, or a file in a folder of ours that others may write to: each a link to a
// file of ours. The cache is neither read nor written through them. Needs root, to
// plant them as another user.
TEST(CatalogCacheTest, NeverUsesAnotherUsersFolderOrFile) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root, to act as another user with runuser";
  const TempDir dir;
  const std::string shared = dir.File("shared");
  const std::string folder = shared + "/glyphex";
  const std::string cache = folder + "/fonts.cache";
  ASSERT_EQ(chmod(dir.path().c_str(), 0711), 0);
  ASSERT_EQ(mkdir(shared.c_str(), 0), 0);
  ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
  const std::optional<CacheKey> key = CurrentFontSetKey();
  ASSERT_TRUE(key);
  const std::string victim = dir.File("own/glyphex/fonts.cache");  // a valid cache of ours
  ASSERT_TRUE(WriteCatalogCache(victim, *key, BuildFontCatalog()));
  const std::string precious = ReadAll(victim);

  const struct {
    const char* what;
    mode_t ourFolder;  // 0: none of ours
    std::string theirs;
  } rows[] = {
      {"their folder", 0, "mkdir -m 0755 " + folder + " && ln -s " + victim + " " + cache},
      {"our folder, writable by all", 0777, "ln -s " + victim + " " + cache},
  };
  for (const auto& row : rows) {
    if (row.ourFolder != 0) {
      ASSERT_EQ(mkdir(folder.c_str(), 0), 0);
      ASSERT_EQ(chmod(folder.c_str(), row.ourFolder), 0);
    }
    const std::string plant = "runuser -u nobody -- sh -c '" + row.theirs + "'";
    ASSERT_EQ(std::system(plant.c_str()), 0) << plant;
    EXPECT_FALSE(ReadCatalogCache(cache, geteuid())) << row.what;
    EXPECT_FALSE(WriteCatalogCache(cache, *key, FontCatalog{})) << row.what;
    EXPECT_TRUE(ReadAll(victim) == precious) << row.what;  // not replaced through the link
    EXPECT_TRUE(std::filesystem::is_symlink(cache)) << row.what;
    std::filesystem::remove_all(folder);
  }
}

TEST(CatalogCacheTest, LoadBuildsAfreshAndRewritesADamagedCache) {
  const std::string cache = CatalogCachePath();
  ASSERT_EQ(cache, std::string(std::getenv("XDG_CACHE_HOME")) + "/glyphex/fonts.cache");
  std::filesystem::remove(cache);
  const FontCatalog fresh = BuildFontCatalog();
  FontCatalog odd = fresh;
  odd.files.back().weight = INT_MIN;
  const std::string valueNeverWritten = EncodeCatalogCache(*CurrentFontSetKey(), odd);
  for (const std::string& damage : {std::string(), std::string("garbage"), valueNeverWritten}) {
    if (!damage.empty()) WriteAll(cache, damage);
    ExpectSameCatalog(LoadFontCatalog(), fresh);
    const std::optional<FontCatalog> written = ReadCatalogCache(cache, geteuid());
    ASSERT_TRUE(written) << damage.size();
    ExpectSameCatalog(*written, fresh);
    ExpectSameCatalog(LoadFontCatalog(), fresh);  // now from the cache
  }
}

}  // namespace
