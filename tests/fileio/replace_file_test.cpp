// Saving files: failed writes keep the old file, the temporary file is written only
// through its descriptor, symbolic links at the target, and writing in place.
#include "fileio/replace_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "dialog/dialog_fields.h"
#include "fileio/write_seams.h"
#include "image/bitmap32.h"
#include "image/save_bitmap.h"
#include "settings/settings_file.h"
#include "support/dialog_fixture.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

constexpr uid_t kOtherUid = 12345;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

int TemporaryFilesIn(const fs::path& folder) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    count += entry.path().filename().string().rfind(".glyphex-", 0) == 0;
  }
  return count;
}

struct stat Lstat(const std::string& path) {
  struct stat st {};
  lstat(path.c_str(), &st);
  return st;
}

// Puts the system's calls back however a test ends.
struct SeamsRestorer {
  WriteSeams saved = CurrentWriteSeams();
  ~SeamsRestorer() { CurrentWriteSeams() = saved; }
};

// When wanted and running as root, acts as another user (effective uid) for its
// lifetime, so that permission bits apply; otherwise does nothing.
class ActAsOtherUser {
 public:
  explicit ActAsOtherUser(bool wanted)
      : switched_(wanted && geteuid() == 0 && seteuid(kOtherUid) == 0) {}
  ~ActAsOtherUser() {
    if (switched_) {
      EXPECT_EQ(seteuid(0), 0);
    }
  }

 private:
  bool switched_;
};

class ReplaceFileTest : public DialogFixture {
 protected:
  TempDir dir;
};

TEST_F(ReplaceFileTest, AFailedWriteFlushOrCloseKeepsTheOldFile) {
  Bitmap32Handle sheet = AllocateBitmap32(64, 32);
  ASSERT_TRUE(sheet);
  struct Fault {
    const char* note;
    void (*apply)(WriteSeams&);
    int error;  // the errno the failed save reports
  };
  const Fault faults[] = {
      {"the first write fails",
       [](WriteSeams& s) {
         s.write = [](int, const void*, std::size_t) -> ssize_t { return errno = ENOSPC, -1; };
       },
       ENOSPC},
      {"a write makes no progress",
       [](WriteSeams& s) { s.write = [](int, const void*, std::size_t) -> ssize_t { return 0; }; },
       ENOSPC},
      {"the flush to disk fails",
       [](WriteSeams& s) { s.fsync = [](int) { return errno = EIO, -1; }; }, EIO},
      {"the close fails",
       [](WriteSeams& s) { s.close = [](int fd) { return ::close(fd), errno = EIO, -1; }; }, EIO},
  };
  struct Kind {
    const char* name;
    FREE_IMAGE_FORMAT fif;  // FIF_UNKNOWN: a settings file
  };
  const Kind kinds[] = {
      {"bmp", FIF_BMP}, {"tga", FIF_TARGA}, {"png", FIF_PNG}, {"ini", FIF_UNKNOWN}};
  const std::string old(3000, 'o');
  for (const Kind& kind : kinds) {
    for (const Fault& fault : faults) {
      SCOPED_TRACE(std::string(kind.name) + ": " + fault.note);
      const std::string path = dir.File(std::string("out.") + kind.name);
      WriteBytes(path, old);
      bool saved = false;
      Status direct;
      {
        SeamsRestorer restorer;
        fault.apply(CurrentWriteSeams());
        saved = kind.fif == FIF_UNKNOWN ? SaveSettingsToFile(dlg, path).ok
                                        : SaveBitmapReplacing(sheet.get(), kind.fif, path).ok;
        direct = WriteFileReplacing(path, "new");
      }
      EXPECT_FALSE(saved);
      EXPECT_FALSE(direct.ok);
      EXPECT_EQ(direct.error, fault.error) << direct.message;
      EXPECT_TRUE(ReadBytes(path) == old) << "the old file changed";
      EXPECT_EQ(TemporaryFilesIn(dir.path()), 0);
    }
  }
  // The settings writer says so, once per failed save.
  ASSERT_EQ(host.messages().size(), std::size(faults));
  EXPECT_EQ(host.messages()[0].text, "Could not write the specified file!");
}

TEST_F(ReplaceFileTest, TheTemporaryFileIsWrittenOnlyThroughItsDescriptor) {
  // Someone who can write the folder swaps the temporary name for a link to a file of
  // theirs as soon as it exists: nothing may be written through that link.
  static std::string victim;
  victim = dir.File("victim");
  WriteBytes(victim, "precious");
  const std::string target = dir.File("out.ini");
  WriteBytes(target, "old");
  Status result;
  {
    SeamsRestorer restorer;
    CurrentWriteSeams().temporaryCreated = [](const char* path) {
      unlink(path);
      ASSERT_EQ(symlink(victim.c_str(), path), 0);
    };
    result = WriteFileReplacing(target, "new contents");
  }
  EXPECT_EQ(ReadBytes(victim), "precious");
  // The file written is no longer the one in the folder.
  EXPECT_EQ(result.message, "The temporary file was replaced by another file.");
  EXPECT_TRUE(S_ISREG(Lstat(target).st_mode));
  EXPECT_EQ(ReadBytes(target), "old");
}

TEST_F(ReplaceFileTest, ASymlinkAtTheTargetIsFollowedOnlyWhenItIsSafe) {
  const bool root = geteuid() == 0;
  struct Case {
    const char* note;
    mode_t folderMode;  // of the folder holding the link
    bool foreign;       // the link belongs to another user
    bool followed;
  };
  const Case cases[] = {
      {"one's own link in a shared sticky folder", 01777, false, true},
      {"another's link in a shared sticky folder", 01777, true, false},
      {"another's link in a world-writable folder that is not sticky", 0777, true, true},
      {"another's link in a sticky folder that only its owner writes", 01755, true, true},
  };
  int row = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.note);
    if (c.foreign && !root) continue;  // only root can give a link away
    const std::string folder = dir.File("shared" + std::to_string(row));
    const std::string dest = dir.File("dest" + std::to_string(row++));
    const std::string link = folder + "/out.ini";
    fs::create_directory(folder);
    WriteBytes(dest, "old");
    ASSERT_EQ(symlink(("../" + fs::path(dest).filename().string()).c_str(), link.c_str()), 0);
    if (c.foreign) {
      ASSERT_EQ(lchown(link.c_str(), kOtherUid, kOtherUid), 0);
    }
    ASSERT_EQ(chmod(folder.c_str(), c.folderMode), 0);

    EXPECT_EQ(WriteFileReplacing(link, "new").ok, c.followed);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadBytes(dest), c.followed ? "new" : "old");
    EXPECT_EQ(TemporaryFilesIn(folder), 0);
  }

  // A chain of links ends at the file it names, which need not exist yet; a loop is refused.
  const std::string end = dir.File("end.ini");
  ASSERT_EQ(symlink(end.c_str(), dir.File("second").c_str()), 0);
  ASSERT_EQ(symlink("second", dir.File("first").c_str()), 0);
  EXPECT_TRUE(WriteFileReplacing(dir.File("first"), "chained"));
  EXPECT_EQ(ReadBytes(end), "chained");
  EXPECT_TRUE(fs::is_symlink(dir.File("first")));
  EXPECT_TRUE(fs::is_symlink(dir.File("second")));
  ASSERT_EQ(symlink("loop-b", dir.File("loop-a").c_str()), 0);
  ASSERT_EQ(symlink("loop-a", dir.File("loop-b").c_str()), 0);
  EXPECT_EQ(WriteFileReplacing(dir.File("loop-a"), "x").message,
            "The symbolic link may not be followed.");
  EXPECT_TRUE(fs::is_symlink(dir.File("loop-a")));
  if (!root) GTEST_SKIP() << "links of another user need root";
}

TEST_F(ReplaceFileTest, WritesInPlaceWhereARenameWouldChangeWhatUsersSee) {
  struct Case {
    const char* note;
    mode_t oldMode = 0;         // 0: there is no old file
    bool hardLinked = false;    // the old file has a second name
    bool lockedFolder = false;  // the folder takes no new file
    mode_t mask = 022;          // the umask while saving
    bool saved = true;
    mode_t mode = 0;       // the saved (or kept) file's permission bits
    bool inPlace = false;  // the old file's inode holds the result
  };
  const Case cases[] = {
      {.note = "both names of a hard-linked file see the new contents",
       .oldMode = 0640,
       .hardLinked = true,
       .mode = 0640,
       .inPlace = true},
      {.note = "a writable file in a folder that takes no new file",
       .oldMode = 0644,
       .lockedFolder = true,
       .mode = 0644,
       .inPlace = true},
      {.note = "a read-only file in a folder that takes no new file",
       .oldMode = 0444,
       .lockedFolder = true,
       .saved = false,
       .mode = 0444,
       .inPlace = true},
      {.note = "setuid and setgid are not carried to the new file", .oldMode = 06755, .mode = 0755},
      {.note = "setuid and setgid are cleared in place",
       .oldMode = 06750,
       .hardLinked = true,
       .mode = 0750,
       .inPlace = true},
      {.note = "a new file gets 0666 less the umask", .mask = 027, .mode = 0640}};

  const bool root = geteuid() == 0;
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);  // so that another user can reach it
  const std::string old(5000, 'o');               // longer than the new contents
  int row = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.note);
    const std::string folder = dir.File("folder" + std::to_string(row++));
    const std::string path = folder + "/out.ini";
    fs::create_directory(folder);
    ino_t oldInode = 0;
    if (c.oldMode != 0) {
      WriteBytes(path, old);
      ASSERT_EQ(chmod(path.c_str(), c.oldMode), 0);
      oldInode = Lstat(path).st_ino;
      if (c.hardLinked) {
        ASSERT_EQ(link(path.c_str(), (folder + "/other").c_str()), 0);
      }
      if (c.lockedFolder && root) {
        ASSERT_EQ(chown(path.c_str(), kOtherUid, kOtherUid), 0);
      }
    }
    if (c.lockedFolder) {
      ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    }
    const mode_t savedMask = umask(c.mask);
    Status result;
    {
      ActAsOtherUser as(c.lockedFolder);
      result = WriteFileReplacing(path, "new");
    }
    umask(savedMask);
    chmod(folder.c_str(), 0755);

    const std::string expected = c.saved ? "new" : old;
    EXPECT_EQ(result.ok, c.saved);
    EXPECT_TRUE(ReadBytes(path) == expected) << ReadBytes(path).size() << " bytes";
    if (c.hardLinked) {
      EXPECT_TRUE(ReadBytes(folder + "/other") == expected);
    }
    if (c.inPlace) {
      EXPECT_EQ(Lstat(path).st_ino, oldInode);
    }
    EXPECT_EQ(Lstat(path).st_mode & 07777, c.mode);
    EXPECT_EQ(TemporaryFilesIn(folder), 0);
  }
}

// Counts the calls of a seam; the one numbered failAt fails.
int seamCalls = 0, failAt = 0;

TEST_F(ReplaceFileTest, ABatchIsWrittenWholeOrNotAtAll) {
  struct Row {
    const char* what;
    int folderAt;               // the file (0..2) whose name holds a folder, or -1
    bool failWrite, failFlush;  // the failAt-th write or flush of the batch fails
    int cause;                  // the file that fails the batch, or -1
    const char* reason;         // the cause's message
  };
  const Row rows[] = {
      {"all written", -1, false, false, -1, ""},
      {"the first is a folder", 0, false, false, 0, "It is not a regular file."},
      {"the last is a folder", 2, false, false, 2, "It is not a regular file."},
      {"the second's write fails", -1, true, false, 1, "No space left on device."},
      {"the last's flush fails", -1, false, true, 2, "Input/output error."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string names[] = {dir.File("a"), dir.File("b"), dir.File("c")};
    for (const std::string& name : names) {
      fs::remove_all(name);
      WriteBytes(name, "old");
    }
    if (row.folderAt >= 0) {
      fs::remove(names[row.folderAt]);
      fs::create_directory(names[row.folderAt]);
    }
    FileReplacement files[] = {{names[0], "new"}, {names[1], "new"}, {names[2], "new"}};
    {
      SeamsRestorer restorer;
      seamCalls = 0;
      failAt = row.failWrite ? 2 : 3;
      if (row.failWrite) {
        CurrentWriteSeams().write = [](int fd, const void* data, std::size_t size) -> ssize_t {
          return ++seamCalls == failAt ? (errno = ENOSPC, -1) : ::write(fd, data, size);
        };
      }
      if (row.failFlush) {
        CurrentWriteSeams().fsync = [](int fd) {
          return ++seamCalls == failAt ? (errno = EIO, -1) : ::fsync(fd);
        };
      }
      WriteFilesReplacing(files);
    }
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(files[i].status.ok, row.cause < 0) << i;
      EXPECT_EQ(files[i].failed, i == row.cause) << i;
      if (i == row.cause) {
        EXPECT_EQ(files[i].status.message, row.reason);
      }
      if (i != row.folderAt) {
        EXPECT_EQ(ReadBytes(names[i]), row.cause < 0 ? "new" : "old") << i;
      }
    }
    EXPECT_EQ(TemporaryFilesIn(dir.path()), 0);
  }
}

// Saves that write one file in place at once, each in small steps so that they
// interleave, leave one of them whole: the advisory lock keeps them apart.
TEST_F(ReplaceFileTest, ConcurrentSavesInPlaceDoNotMix) {
  const std::string path = dir.File("shared"), other = dir.File("other");
  WriteBytes(path, "old");
  ASSERT_EQ(link(path.c_str(), other.c_str()), 0);
  const std::string contents[] = {std::string(40000, 'a'), std::string(25000, 'b'),
                                  std::string(33000, 'c')};
  SeamsRestorer restorer;
  CurrentWriteSeams().write = [](int fd, const void* data, std::size_t size) -> ssize_t {
    std::this_thread::sleep_for(std::chrono::microseconds(200));
    return ::write(fd, data, std::min<std::size_t>(size, 1000));
  };
  for (int round = 0; round < 3; ++round) {
    std::vector<std::thread> saves;
    Status results[3];
    for (int i = 0; i < 3; ++i) {
      saves.emplace_back(
          [&, i] { results[i] = WriteFileReplacing(i == 1 ? other : path, contents[i]); });
    }
    for (std::thread& save : saves) save.join();
    for (const Status& result : results) EXPECT_TRUE(result.ok) << result.message;
    const std::string now = ReadBytes(path);
    EXPECT_TRUE(now == contents[0] || now == contents[1] || now == contents[2])
        << "round " << round << ": " << now.size() << " bytes, starting " << now.substr(0, 8);
  }
}

}  // namespace
