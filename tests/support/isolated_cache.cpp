// Every test program runs with its own empty XDG_CACHE_HOME, set before main, so that
// no test reads or writes the user's cache, and no stale cache changes a test's fonts.
// The command-line programs the tests start inherit it.
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
    setenv("XDG_CACHE_HOME", path.c_str(), 1);
  }
  ~IsolatedCache() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

const IsolatedCache isolatedCache;

}  // namespace
