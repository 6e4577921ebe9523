// The safe save reads back what it wrote: a medium that gives back other bytes fails the save,
// through the temporary file and the in-place write alike, and the old file stays.

#include "base/safe_save.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void FlipOneBit(Bytes& back) {
    if (!back.empty()) {
        back[back.size() / 2] ^= 0x10;
    }
}

void LoseLastByte(Bytes& back) {
    if (!back.empty()) {
        back.pop_back();
    }
}

void GainOneByte(Bytes& back) {
    back.push_back(0);
}

// A name of 250 bytes leaves no room for the temporary file's longer name, so the save writes
// the file where it lies.
const std::string kInPlaceName = std::string(245, 'p') + ".pack";

struct ReadBackCase {
    const char* name;
    ReadBackFilter filter;
    std::string file;
    // The old file's length; none when there is no old file.
    int oldLength;
};

class VerifiedSave : public testing::TestWithParam<ReadBackCase> {
protected:
    void TearDown() override { SetReadBackFilterForTesting(nullptr); }
};

TEST_P(VerifiedSave, FailsOnADifferenceAndKeepsTheOldFile) {
    const ReadBackCase& c = GetParam();
    TempDir dir;
    const std::string path = dir.File(c.file);
    const Bytes old(static_cast<std::size_t>(c.oldLength < 0 ? 0 : c.oldLength), 0x5A);
    if (c.oldLength >= 0) {
        WriteWholeFile(path, old);
    }
    const std::vector<std::string> before = dir.Entries();
    SetReadBackFilterForTesting(c.filter);
    errno = 0;
    EXPECT_FALSE(SaveFileSafely(path, Bytes(15050, 0xC3)));
    EXPECT_EQ(errno, EIO);
    EXPECT_EQ(dir.Entries(), before) << "a temporary file was left, or a new file stayed";
    if (c.oldLength >= 0) {
        EXPECT_EQ(ReadWholeFile(path), old);
    }
}

INSTANTIATE_TEST_SUITE_P(
    SafeSave, VerifiedSave,
    testing::Values(ReadBackCase{"FlippedBit", FlipOneBit, "p.bin", 15050},
                    ReadBackCase{"LostByte", LoseLastByte, "p.bin", 15050},
                    ReadBackCase{"GainedByte", GainOneByte, "p.bin", 100},
                    ReadBackCase{"NewFile", FlipOneBit, "p.bin", -1},
                    ReadBackCase{"InPlaceFlippedBit", FlipOneBit, kInPlaceName, 15050},
                    ReadBackCase{"InPlaceShorterOld", LoseLastByte, kInPlaceName, 100},
                    ReadBackCase{"InPlaceLongerOld", GainOneByte, kInPlaceName, 20000}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
