#include "base/elf_check.h"

#include "base/byte_reader.h"

#include <optional>

namespace {

// The fields of the 64-bit ELF header and program header that tell where things lie.
constexpr std::size_t kHeaderSize = 64;
constexpr std::size_t kTypeAt = 16, kProgramAt = 32, kSectionAt = 40;
constexpr std::size_t kProgramEntrySizeAt = 54, kProgramCountAt = 56;
constexpr std::size_t kSectionEntrySizeAt = 58, kSectionCountAt = 60;
constexpr std::uint16_t kSharedObject = 3;
constexpr std::uint32_t kLoadSegment = 1;
constexpr std::size_t kSegmentOffsetAt = 8, kSegmentFileSizeAt = 32, kProgramEntrySize = 56;

std::optional<std::uint64_t> U64(const ByteReader& reader, std::size_t offset) {
    const auto low = reader.U32(offset);
    const auto high = reader.U32(offset + 4);
    if (!low || !high) {
        return std::nullopt;
    }
    return std::uint64_t{*high} << 32 | *low;
}

// Whether count entries of size bytes from offset lie inside the data.
bool TableInside(const ByteReader& reader, std::uint64_t offset, std::uint64_t size,
                 std::uint64_t count) {
    return offset <= reader.Size() && size * count <= reader.Size() - offset;
}

bool SegmentsInside(const ByteReader& reader, std::uint64_t table, std::uint16_t count) {
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::size_t entry = static_cast<std::size_t>(table) + i * kProgramEntrySize;
        const auto type = reader.U32(entry);
        const auto offset = U64(reader, entry + kSegmentOffsetAt);
        const auto size = U64(reader, entry + kSegmentFileSizeAt);
        if (!type || !offset || !size) {
            return false;
        }
        if (*type == kLoadSegment && !TableInside(reader, *offset, *size, 1)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string ElfProblem(std::span<const std::uint8_t> bytes) {
    const ByteReader reader(bytes);
    const auto magic = reader.Bytes(0, 6);
    if (!magic || (*magic)[0] != 0x7f || (*magic)[1] != 'E' || (*magic)[2] != 'L' ||
        (*magic)[3] != 'F' || (*magic)[4] != 2 || (*magic)[5] != 1 || !reader.Has(0, kHeaderSize) ||
        reader.U16(kTypeAt) != kSharedObject) {
        return "it is not a shared object for this computer";
    }
    const auto programs = U64(reader, kProgramAt);
    const auto sections = U64(reader, kSectionAt);
    const auto programSize = reader.U16(kProgramEntrySizeAt);
    const auto programCount = reader.U16(kProgramCountAt);
    const auto sectionSize = reader.U16(kSectionEntrySizeAt);
    const auto sectionCount = reader.U16(kSectionCountAt);
    if (*programSize != kProgramEntrySize ||
        !TableInside(reader, *programs, *programSize, *programCount) ||
        !TableInside(reader, *sections, *sectionSize, *sectionCount) ||
        !SegmentsInside(reader, *programs, *programCount)) {
        return "it is shorter than its headers say";
    }
    return {};
}
