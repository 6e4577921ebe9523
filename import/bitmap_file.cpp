#include "import/bitmap_file.h"

#include "platform/bitmap.h"
#include "platform/byte_reader.h"
#include "platform/dib.h"
#include "platform/ui_services.h"
#include "res/texts.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace {

using ByteSpan = std::span<const std::uint8_t>;

constexpr std::uint16_t kFileType = 0x4D42; // "BM" read as a little-endian word
constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kDataOffsetField = 10;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::size_t kColourEntryBytes = 4;
constexpr std::int32_t kPictureWidth = 48;
constexpr std::int32_t kPictureHeight = 50;
constexpr std::uint16_t kMaxBitCount = 8;
// A 48x50 picture needs a few kilobytes; anything this large is not one and is not read.
constexpr std::uintmax_t kMaxFileBytes = 64u * 1024u * 1024u;

struct InfoHeader {
    std::uint32_t size = 0;
    BitmapInfoHeader fields;
    std::uint32_t coloursUsed = 0;
};

std::optional<InfoHeader> ReadInfoHeader(const ByteReader& file) {
    const std::size_t at = kFileHeaderBytes;
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
    if (info.coloursUsed != 0) {
        return info.coloursUsed;
    }
    return std::uint64_t{1} << info.fields.bitCount;
}

// The entry count is checked against the room left before it is multiplied, so even
// 0xFFFFFFFF entries cannot overflow the size.
std::optional<ByteSpan> ColourTable(const ByteReader& file, std::uint64_t start,
                                    std::uint64_t entries) {
    if (start > file.Size() || entries > (file.Size() - start) / kColourEntryBytes) {
        return std::nullopt;
    }
    return file.Bytes(static_cast<std::size_t>(start),
                      static_cast<std::size_t>(entries) * kColourEntryBytes);
}

// After the plain 40-byte header the pixels follow the colour table directly, whatever the
// data offset says. The longer headers may leave other data before the pixels, so their data
// offset is followed as long as it points inside the file.
std::size_t PixelStart(const ByteReader& file, const InfoHeader& info, std::size_t tableEnd) {
    if (info.size == kInfoHeaderBytes) {
        return tableEnd;
    }
    const std::uint32_t dataOffset = *file.U32(kDataOffsetField);
    return dataOffset < file.Size() ? dataOffset : tableEnd;
}

// Opening a folder for reading succeeds on Linux, so only regular files are read; that also
// keeps a named pipe from stalling the editor.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxFileBytes) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in || in.gcount() != static_cast<std::streamsize>(bytes.size())) {
        return std::nullopt;
    }
    return bytes;
}

void ReportRefusal(BitmapFileResult result) {
    switch (result) {
    case BitmapFileResult::Loaded:
        break;
    case BitmapFileResult::Unreadable:
        ShowWarning(std::string(res::kBitmapUnreadableMessage));
        break;
    case BitmapFileResult::WrongSize:
        ShowWarning(std::string(res::kBitmapSizeMessage));
        break;
    }
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
    const auto colours = ColourTable(reader, tableStart, ColourCount(*info));
    if (!colours) {
        return BitmapFileResult::Unreadable;
    }
    const std::size_t tableEnd = static_cast<std::size_t>(tableStart) + colours->size();
    const std::size_t pixelStart = PixelStart(reader, *info, tableEnd);
    const auto pixels = reader.Bytes(pixelStart, reader.Size() - pixelStart);
    if (!pixels || !CreateDIBitmap(info->fields, *colours, *pixels, bitmap)) {
        return BitmapFileResult::Unreadable;
    }
    return BitmapFileResult::Loaded;
}

bool LoadBitmapFile(const std::string& path, CBitmap& bitmap) {
    const auto bytes = ReadWholeFile(path);
    const BitmapFileResult result =
        bytes ? DecodeBitmapFile(*bytes, bitmap) : BitmapFileResult::Unreadable;
    ReportRefusal(result);
    return result == BitmapFileResult::Loaded;
}
