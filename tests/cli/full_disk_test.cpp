// glyphex-cli exporting onto a full disk: a small tmpfs, mounted where root may.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A 64 KiB tmpfs at folder for the holder's lifetime; mounted() is false where the
// system does not allow it.
class SmallTmpfs {
 public:
  explicit SmallTmpfs(const fs::path& folder) : folder_(folder) {
    fs::create_directory(folder_);
    mounted_ = mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k") == 0;
  }
  ~SmallTmpfs() {
    if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }

 private:
  fs::path folder_;
  bool mounted_ = false;
};

TEST(CliFullDiskTest, ExportOntoAFullDiskFailsAndKeepsTheOldFile) {
  TempDir dir;
  const fs::path disk = dir.path() / "disk";
  SmallTmpfs tmpfs(disk);
  if (!tmpfs.mounted()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
  struct Case {
    const char* name;
    bool hardLinked;  // written in place
  };
  const Case cases[] = {
      {"out.bmp", false}, {"out.tga", false}, {"out.png", false}, {"linked.bmp", true}};
  const std::string old(1000, 'o');
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = (disk / c.name).string();
    std::ofstream(path, std::ios::binary) << old;
    if (c.hardLinked) {
      ASSERT_EQ(link(path.c_str(), (disk / "other").c_str()), 0);
    }
    std::ofstream filler(disk / "filler", std::ios::binary);
    for (const std::string block(4096, 'f'); filler.write(block.data(), block.size());) {
    }
    filler.close();

    const std::string command = std::string(GLYPHEX_CLI_PATH) + " export '" + path +
                                "' --font 'DejaVu Sans' --tile-size 16 --steps 4 2>&1 >/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string err;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      err.append(buffer, n);
    const int status = pclose(pipe);

    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_EQ(err,
              "Error: Could not save the output bitmap!\nError: An error occurred while saving!\n");
    EXPECT_TRUE(ReadBytes(path) == old) << "the old file changed";
    for (const auto& entry : fs::directory_iterator(disk)) {
      EXPECT_NE(entry.path().filename().string().rfind(".glyphex-", 0), 0u) << entry.path();
    }
    for (const auto& entry : fs::directory_iterator(disk)) fs::remove(entry.path());
  }
}

}  // namespace
