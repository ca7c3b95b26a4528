// Every test program runs with its own empty XDG_CACHE_HOME and XDG_CONFIG_HOME, set
// before main, so that no test reads or writes the user's cache or the window's memory,
// and no stale cache changes a test's fonts. The programs the tests start inherit them.
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

struct IsolatedCache {
  std::string path;
  IsolatedCache() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "glyphex-cache-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path = pattern;
    const std::string config = path + "/config";
    if (mkdir(config.c_str(), 0700) != 0) std::abort();
    setenv("XDG_CACHE_HOME", path.c_str(), 1);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  }
  ~IsolatedCache() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

const IsolatedCache isolatedCache;

}  // namespace
