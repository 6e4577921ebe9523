#include "contacts/photo_format.h"

#include "base/byte_reader.h"

#include <cstdint>
#include <optional>

using namespace std::string_view_literals;

namespace {

std::optional<int> BigEndian16(const ByteReader& reader, std::size_t offset) {
    const auto high = reader.U8(offset);
    const auto low = reader.U8(offset + 1);
    if (!high || !low) {
        return std::nullopt;
    }
    return *high << 8 | *low;
}

std::optional<std::uint32_t> BigEndian32(const ByteReader& reader, std::size_t offset) {
    const auto high = BigEndian16(reader, offset);
    const auto low = BigEndian16(reader, offset + 2);
    if (!high || !low) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*high) << 16 | static_cast<std::uint32_t>(*low);
}

bool HasText(const ByteReader& reader, std::size_t offset, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (reader.U8(offset + i) != static_cast<std::uint8_t>(text[i])) {
            return false;
        }
    }
    return true;
}

int ToInt(std::uint32_t value) {
    return value > 0x7FFFFFFF ? 0 : static_cast<int>(value);
}

// The frame header (SOF0-SOF15, less DHT, JPG and DAC) holds the size; the segments before it
// are walked by their lengths.
PhotoFormat Jpeg(const ByteReader& reader) {
    std::size_t at = 2;
    while (true) {
        const auto marker = BigEndian16(reader, at);
        const auto length = BigEndian16(reader, at + 2);
        if (!marker || !length || (*marker >> 8) != 0xFF) {
            return {"JPEG", 0, 0};
        }
        const int code = *marker & 0xFF;
        const bool frame =
            code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
        if (frame) {
            const auto height = BigEndian16(reader, at + 5);
            const auto width = BigEndian16(reader, at + 7);
            return {"JPEG", width.value_or(0), height.value_or(0)};
        }
        at += 2 + static_cast<std::size_t>(*length);
    }
}

PhotoFormat Png(const ByteReader& reader) {
    return {"PNG", ToInt(BigEndian32(reader, 16).value_or(0)),
            ToInt(BigEndian32(reader, 20).value_or(0))};
}

PhotoFormat Gif(const ByteReader& reader) {
    return {"GIF", reader.U16(6).value_or(0), reader.U16(8).value_or(0)};
}

PhotoFormat Bmp(const ByteReader& reader) {
    const auto width = reader.I32(18);
    const auto height = reader.I32(22);
    if (!width || !height || *width <= 0 || *height == 0 || *height == INT32_MIN) {
        return {"BMP", 0, 0};
    }
    return {"BMP", *width, *height < 0 ? -*height : *height};
}

// VP8X, VP8L and VP8 headers each keep the size their own way.
PhotoFormat WebP(const ByteReader& reader) {
    if (HasText(reader, 12, "VP8X")) {
        const auto w = reader.U32(24);
        const auto h = reader.U32(27);
        return {"WebP", w ? static_cast<int>((*w & 0xFFFFFF) + 1) : 0,
                h ? static_cast<int>((*h & 0xFFFFFF) + 1) : 0};
    }
    if (HasText(reader, 12, "VP8L")) {
        const auto bits = reader.U32(21);
        return {"WebP", bits ? static_cast<int>((*bits & 0x3FFF) + 1) : 0,
                bits ? static_cast<int>((*bits >> 14 & 0x3FFF) + 1) : 0};
    }
    const auto w = reader.U16(26);
    const auto h = reader.U16(28);
    return {"WebP", w ? *w & 0x3FFF : 0, h ? *h & 0x3FFF : 0};
}

} // namespace

PhotoFormat SniffPhoto(std::span<const std::uint8_t> bytes) {
    const ByteReader reader(bytes);
    if (HasText(reader, 0, "\xFF\xD8\xFF")) {
        return Jpeg(reader);
    }
    if (HasText(reader, 0, "\x89PNG\r\n\x1A\n")) {
        return Png(reader);
    }
    if (HasText(reader, 0, "GIF87a") || HasText(reader, 0, "GIF89a")) {
        return Gif(reader);
    }
    if (HasText(reader, 0, "BM")) {
        return Bmp(reader);
    }
    if (HasText(reader, 0, "RIFF") && HasText(reader, 8, "WEBP")) {
        return WebP(reader);
    }
    if (HasText(reader, 4, "ftypavif") || HasText(reader, 4, "ftypavis")) {
        return {"AVIF", 0, 0};
    }
    for (const std::string_view brand : {"heic", "heix", "hevc", "mif1", "msf1"}) {
        if (HasText(reader, 4, "ftyp") && HasText(reader, 8, brand)) {
            return {"HEIF", 0, 0};
        }
    }
    if (HasText(reader, 0, "II*\0"sv) || HasText(reader, 0, "MM\0*"sv)) {
        return {"TIFF", 0, 0};
    }
    return {{}, 0, 0};
}
