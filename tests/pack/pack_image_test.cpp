#include "pack/pack_image.h"
#include "tests/support/named_param.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using named_param::PrintTo;

struct IdBytesCase {
    std::string name;
    std::uint8_t low;
    std::uint8_t high;
    ContactId id;
};

class PackContactIdRead : public ::testing::TestWithParam<IdBytesCase> {};

TEST_P(PackContactIdRead, DecodesLittleEndianSignedBytes) {
    const IdBytesCase& c = GetParam();
    PackImage pack{};
    // Slot 7 rather than 0, so that a wrong slot offset reads zeros instead of the bytes.
    pack[14] = c.low;
    pack[15] = c.high;
    EXPECT_EQ(GetContactId(pack, 7), c.id);
}

INSTANTIATE_TEST_SUITE_P(Pack, PackContactIdRead,
                         ::testing::Values(IdBytesCase{"LargestPositive", 0xFF, 0x7F, 32767},
                                           IdBytesCase{"SmallestNegative", 0x00, 0x80, -32768},
                                           IdBytesCase{"MinusOne", 0xFF, 0xFF, -1},
                                           IdBytesCase{"Zero", 0x00, 0x00, 0},
                                           IdBytesCase{"LowByteFirst", 0x04, 0x01, 260}),
                         [](const auto& info) { return info.param.name; });

struct IdWriteCase {
    std::string name;
    int slot;
    int value;
    std::uint8_t low;
    std::uint8_t high;
    ContactId readBack;
};

class PackContactIdWrite : public ::testing::TestWithParam<IdWriteCase> {};

TEST_P(PackContactIdWrite, StoresLowSixteenBitsAndTouchesNothingElse) {
    const IdWriteCase& c = GetParam();
    PackImage pack;
    pack.fill(0xA5);
    SetContactId(pack, c.slot, c.value);

    const auto at = static_cast<std::size_t>(c.slot) * 2;
    EXPECT_EQ(pack[at], c.low);
    EXPECT_EQ(pack[at + 1], c.high);
    EXPECT_EQ(GetContactId(pack, c.slot), c.readBack);
    for (std::size_t i = 0; i < pack.size(); ++i) {
        if (i != at && i != at + 1) {
            ASSERT_EQ(pack[i], 0xA5) << "byte " << i << " changed";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pack, PackContactIdWrite,
    ::testing::Values(IdWriteCase{"Slot2At260", 2, 260, 0x04, 0x01, 260},
                      IdWriteCase{"WrapsAbove65535", 0, 65536 + 5, 0x05, 0x00, 5},
                      IdWriteCase{"MinusOneIsAllOnes", 3, -1, 0xFF, 0xFF, -1},
                      IdWriteCase{"AboveSignedRangeWraps", 24, 40000, 0x40, 0x9C, -25536}),
    [](const auto& info) { return info.param.name; });

TEST(PackLayout, PicturesFollowTheIdTableWithoutGaps) {
    PackImage pack{};
    // (slot, first byte) pairs; slot 24 must end exactly at the end of the file.
    const std::vector<std::pair<int, std::size_t>> starts{{0, 50}, {2, 1250}, {24, 14450}};
    for (const auto& [slot, offset] : starts) {
        EXPECT_EQ(GetPicture(pack, slot).data(), pack.data() + offset) << "slot " << slot;
        EXPECT_EQ(GetPicture(std::as_const(pack), slot).data(), pack.data() + offset)
            << "slot " << slot << ", read-only";
    }
    EXPECT_EQ(GetPicture(pack, 24).data() + PICTURE_BYTES, pack.data() + PACK_FILE_SIZE);
    EXPECT_EQ(PACK_FILE_SIZE, 15050u);
}

} // namespace
