// The safe save on file systems that keep less than ext4 does, and with temporaries left by
// saves that were killed.

#include "base/file_metadata.h"
#include "base/safe_save.h"
#include "tests/support/named_param.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using named_param::PrintTo;

using Bytes = std::vector<std::uint8_t>;

int ModeNotImplemented(int, mode_t) {
    errno = ENOSYS;
    return -1;
}

int ModeNotSupported(int, mode_t) {
    errno = ENOTSUP;
    return -1;
}

int ModeRefusedByTheDisk(int, mode_t) {
    errno = EIO;
    return -1;
}

struct ModeCase {
    const char* name;
    SetModeFunction setMode;
    bool saved;
};

class ModeSetting : public testing::TestWithParam<ModeCase> {
protected:
    void TearDown() override { SetModeFunctionForTesting(nullptr); }
};

// FAT through FUSE says ENOSYS to fchmod: it cannot keep a mode, and the save goes on without
// one. A real failure still fails the save and keeps the old file.
TEST_P(ModeSetting, OnlyAFileSystemWithoutModesIsPassedOver) {
    TempDir dir;
    const std::string path = dir.File("p.bin");
    WriteWholeFile(path, Bytes(15050, 1));
    SetModeFunctionForTesting(GetParam().setMode);
    EXPECT_EQ(SaveFileSafely(path, Bytes(15050, 2)), GetParam().saved);
    EXPECT_EQ(ReadWholeFile(path), Bytes(15050, GetParam().saved ? 2 : 1));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"p.bin"});
}

INSTANTIATE_TEST_SUITE_P(SafeSave, ModeSetting,
                         testing::Values(ModeCase{"NotImplemented", ModeNotImplemented, true},
                                         ModeCase{"NotSupported", ModeNotSupported, true},
                                         ModeCase{"DiskError", ModeRefusedByTheDisk, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SafeSave, AHardLinkedFileKeepsItsInodeAndEveryName) {
    TempDir dir;
    WriteWholeFile(dir.File("p.bin"), Bytes(15050, 1));
    ASSERT_EQ(::link(dir.File("p.bin").c_str(), dir.File("q.bin").c_str()), 0);
    struct stat before {};
    ASSERT_EQ(::stat(dir.File("p.bin").c_str(), &before), 0);
    ASSERT_TRUE(SaveFileSafely(dir.File("p.bin"), Bytes(15050, 2)));
    struct stat after {};
    ASSERT_EQ(::stat(dir.File("p.bin").c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(ReadWholeFile(dir.File("q.bin")), Bytes(15050, 2));
}

TEST(SafeSave, ALinkIsReplacedOnlyWhenAskedTo) {
    TempDir dir;
    WriteWholeFile(dir.File("target"), Bytes(10, 1));
    ASSERT_EQ(::symlink("target", dir.File("link").c_str()), 0);
    ASSERT_TRUE(SaveFileSafely(dir.File("link"), Bytes(10, 2)));
    EXPECT_EQ(ReadWholeFile(dir.File("target")), Bytes(10, 2));
    ASSERT_TRUE(
        SaveFileSafely(dir.File("link"), Bytes(10, 3), {SaveLocking::Take, LinkRule::Replace}));
    EXPECT_EQ(ReadWholeFile(dir.File("target")), Bytes(10, 2));
    EXPECT_EQ(ReadWholeFile(dir.File("link")), Bytes(10, 3));
    struct stat st {};
    ASSERT_EQ(::lstat(dir.File("link").c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
}

TEST(SafeSave, GivesUpWhenTheFileStaysLocked) {
    TempDir dir;
    WriteWholeFile(dir.File("p.bin"), Bytes(15050, 1));
    const int held = ::open(dir.File("p.bin").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    errno = 0;
    EXPECT_FALSE(SaveFileSafely(dir.File("p.bin"), Bytes(15050, 2)));
    EXPECT_EQ(errno, EWOULDBLOCK);
    ::close(held);
    EXPECT_EQ(ReadWholeFile(dir.File("p.bin")), Bytes(15050, 1));
}

} // namespace
