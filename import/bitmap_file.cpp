#include "import/bitmap_file.h"

#include "base/byte_reader.h"
#include "base/file_limits.h"
#include "base/regular_file.h"
#include "gfx/bitmap.h"
#include "gfx/dib.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

using ByteSpan = std::span<const std::uint8_t>;

constexpr std::uint16_t kFileType = 0x4D42; // "BM" read as a little-endian word
constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kDataOffsetField = 10;
constexpr std::uint32_t kInfoHeaderBytes = 40;
// The older core header: 16-bit width and height, and 3-byte colour entries.
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::size_t kColourEntryBytes = 4;
constexpr std::size_t kCoreColourEntryBytes = 3;
constexpr std::int32_t kPictureWidth = 48;
constexpr std::int32_t kPictureHeight = 50;
constexpr std::uint16_t kMaxBitCount = 8;

struct InfoHeader {
    std::uint32_t size = 0;
    BitmapInfoHeader fields;
    std::uint32_t coloursUsed = 0;
};

bool IsCoreHeader(const InfoHeader& info) {
    return info.size == kCoreHeaderBytes;
}

std::optional<InfoHeader> ReadCoreHeader(const ByteReader& file) {
    const std::size_t at = kFileHeaderBytes;
    if (!file.Has(at, kCoreHeaderBytes)) {
        return std::nullopt;
    }
    InfoHeader info;
    info.size = kCoreHeaderBytes;
    info.fields.width = *file.U16(at + 4);
    info.fields.height = *file.U16(at + 6);
    info.fields.bitCount = *file.U16(at + 10);
    info.fields.compression = BI_RGB;
    return info;
}

std::optional<InfoHeader> ReadInfoHeader(const ByteReader& file) {
    const std::size_t at = kFileHeaderBytes;
    if (file.U32(at) == kCoreHeaderBytes) {
        return ReadCoreHeader(file);
    }
    if (!file.Has(at, kInfoHeaderBytes)) {
        return std::nullopt;
    }
    InfoHeader info;
    // The size field of the plain header is not examined: anything up to 40 is read as it.
    info.size = std::max(*file.U32(at), kInfoHeaderBytes);
    info.fields.width = *file.I32(at + 4);
    info.fields.height = *file.I32(at + 8);
    info.fields.bitCount = *file.U16(at + 14);
    info.fields.compression = *file.U32(at + 16);
    info.coloursUsed = *file.U32(at + 32);
    return info;
}

// A negative height would be a top-down picture, which the slot conversion does not take.
bool HasPictureSize(const BitmapInfoHeader& fields) {
    return fields.width == kPictureWidth && fields.height == kPictureHeight &&
           fields.bitCount <= kMaxBitCount;
}

std::uint64_t ColourCount(const InfoHeader& info) {
    if (info.coloursUsed != 0 && !IsCoreHeader(info)) {
        return info.coloursUsed;
    }
    return std::uint64_t{1} << info.fields.bitCount;
}

// The entry count is checked against the room left before it is multiplied, so even
// 0xFFFFFFFF entries cannot overflow the size.
std::optional<ByteSpan> ColourTable(const ByteReader& file, std::uint64_t start,
                                    std::uint64_t entries, std::size_t entryBytes) {
    if (start > file.Size() || entries > (file.Size() - start) / entryBytes) {
        return std::nullopt;
    }
    return file.Bytes(static_cast<std::size_t>(start),
                      static_cast<std::size_t>(entries) * entryBytes);
}

// The display conversion takes 4-byte entries; a core table's 3-byte ones are widened.
std::vector<std::uint8_t> WidenCoreColours(ByteSpan table) {
    std::vector<std::uint8_t> wide;
    wide.reserve(table.size() / kCoreColourEntryBytes * kColourEntryBytes);
    for (std::size_t at = 0; at + kCoreColourEntryBytes <= table.size();
         at += kCoreColourEntryBytes) {
        wide.insert(wide.end(), {table[at], table[at + 1], table[at + 2], 0});
    }
    return wide;
}

// After the plain 40-byte header and the core header the pixels follow the colour table
// directly, whatever the data offset says. The longer headers may leave other data before the
// pixels, so their data offset is followed as long as it points inside the file; an offset
// into the headers or the colour table would make a picture of header bytes, so it is refused.
std::optional<std::size_t> PixelStart(const ByteReader& file, const InfoHeader& info,
                                      std::size_t tableEnd) {
    if (info.size == kInfoHeaderBytes || IsCoreHeader(info)) {
        return tableEnd;
    }
    const std::uint32_t dataOffset = *file.U32(kDataOffsetField);
    if (dataOffset >= file.Size()) {
        return tableEnd;
    }
    if (dataOffset < tableEnd) {
        return std::nullopt;
    }
    return dataOffset;
}

} // namespace

BitmapFileResult DecodeBitmapFile(std::span<const std::uint8_t> file, CBitmap& bitmap) {
    const ByteReader reader(file);
    if (!reader.Has(0, kFileHeaderBytes) || reader.U16(0) != kFileType) {
        return BitmapFileResult::Unreadable;
    }
    const auto info = ReadInfoHeader(reader);
    if (!info) {
        return BitmapFileResult::Unreadable;
    }
    if (!HasPictureSize(info->fields)) {
        return BitmapFileResult::WrongSize;
    }
    const std::uint64_t tableStart = std::uint64_t{kFileHeaderBytes} + info->size;
    const std::size_t entryBytes = IsCoreHeader(*info) ? kCoreColourEntryBytes : kColourEntryBytes;
    const auto colours = ColourTable(reader, tableStart, ColourCount(*info), entryBytes);
    if (!colours) {
        return BitmapFileResult::Unreadable;
    }
    const std::size_t tableEnd = static_cast<std::size_t>(tableStart) + colours->size();
    const auto pixelStart = PixelStart(reader, *info, tableEnd);
    if (!pixelStart) {
        return BitmapFileResult::Unreadable;
    }
    const auto pixels = reader.Bytes(*pixelStart, reader.Size() - *pixelStart);
    const std::vector<std::uint8_t> wideColours =
        IsCoreHeader(*info) ? WidenCoreColours(*colours) : std::vector<std::uint8_t>{};
    const ByteSpan table = IsCoreHeader(*info) ? ByteSpan(wideColours) : *colours;
    if (!pixels || !CreateDIBitmap(info->fields, table, *pixels, bitmap)) {
        return BitmapFileResult::Unreadable;
    }
    return BitmapFileResult::Loaded;
}

BitmapFileResult ReadBitmapFile(const std::string& path, CBitmap& bitmap) {
    // Opened once, without blocking, and judged by what was opened: checking the name first
    // and opening it again would let a named pipe put in its place stall the editor.
    const auto bytes = ReadRegularFile(path, kMaxBitmapFileBytes);
    return bytes ? DecodeBitmapFile(*bytes, bitmap) : BitmapFileResult::Unreadable;
}

bool StartsAsBitmapFile(const std::string& path) {
    const OpenedRegularFile opened = OpenRegularFile(path);
    std::array<std::uint8_t, 2> start{};
    std::size_t done = 0;
    if (opened.fd.Get() < 0 || !ReadFully(opened.fd.Get(), start, done) || done != start.size()) {
        return false;
    }
    const ByteReader reader(start);
    return reader.U8(0) == 'B' && reader.U8(1) == 'M';
}
