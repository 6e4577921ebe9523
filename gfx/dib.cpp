#include "gfx/dib.h"

#include "base/byte_reader.h"
#include "gfx/bitmap.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

using ByteSpan = std::span<const std::uint8_t>;

constexpr std::size_t kColourEntryBytes = 4;
// The fourth byte of every converted pixel. The colour table's reserved byte is not copied,
// so every picture carries the same value there.
constexpr std::uint8_t kPixelFill = 0;

// The colour index of pixel i of a packed row, where pixels are stored most significant bits
// first, as bitmap files do for 1 and 4 bits per pixel. The caller keeps i inside the row.
std::uint8_t IndexAt(ByteSpan row, std::size_t i, unsigned bitCount) {
    const std::size_t bit = i * bitCount;
    const unsigned shift = 8 - bitCount - static_cast<unsigned>(bit % 8);
    const unsigned mask = (1u << bitCount) - 1;
    return static_cast<std::uint8_t>((row[bit / 8] >> shift) & mask);
}

// Paints colour indices into a bitmap under construction. Rows are counted from the bottom,
// as the file stores them; callers keep positions inside the image.
class Canvas {
public:
    Canvas(CBitmap& bitmap, ByteSpan colours) : m_bitmap(bitmap), m_colours(colours) {}

    int Width() const { return m_bitmap.GetWidth(); }
    int Height() const { return m_bitmap.GetHeight(); }

    void Put(int x, int rowFromBottom, std::uint8_t index) {
        const auto topRow = static_cast<std::size_t>(Height() - 1 - rowFromBottom);
        const std::size_t offset =
            (topRow * static_cast<std::size_t>(Width()) + static_cast<std::size_t>(x)) *
            CBitmap::kBytesPerPixel;
        const auto colour = Colour(index);
        std::copy(colour.begin(), colour.end(), m_bitmap.Bits().begin() + offset);
    }

    void Fill(std::uint8_t index) {
        for (int y = 0; y < Height(); ++y) {
            for (int x = 0; x < Width(); ++x) {
                Put(x, y, index);
            }
        }
    }

private:
    // An index past the end of the table has no colour of its own and is shown black.
    std::array<std::uint8_t, 4> Colour(std::uint8_t index) const {
        const auto entry = m_colours.Bytes(index * kColourEntryBytes, kColourEntryBytes);
        if (!entry) {
            return {0, 0, 0, kPixelFill};
        }
        return {(*entry)[0], (*entry)[1], (*entry)[2], kPixelFill};
    }

    CBitmap& m_bitmap;
    ByteReader m_colours;
};

bool IsConvertible(const BitmapInfoHeader& header) {
    if (header.width <= 0 || header.height <= 0) {
        return false;
    }
    switch (header.compression) {
    case BI_RGB:
        return header.bitCount == 1 || header.bitCount == 4 || header.bitCount == 8;
    case BI_RLE8:
        return header.bitCount == 8;
    case BI_RLE4:
        return header.bitCount == 4;
    default:
        return false;
    }
}

// Uncompressed rows are padded to whole 32-bit words.
std::size_t RowStride(const BitmapInfoHeader& header) {
    const std::uint64_t bits =
        static_cast<std::uint64_t>(header.width) * static_cast<std::uint64_t>(header.bitCount);
    return static_cast<std::size_t>((bits + 31) / 32 * 4);
}

// Every row has a fixed size, so data missing even the last row's padding is incomplete.
// Dividing instead of multiplying keeps the comparison free of overflow.
bool HoldsAllRows(const BitmapInfoHeader& header, ByteSpan pixels) {
    return RowStride(header) <= pixels.size() / static_cast<std::size_t>(header.height);
}

bool DecodeRows(const BitmapInfoHeader& header, ByteSpan pixels, Canvas& canvas) {
    const ByteReader data(pixels);
    const std::size_t stride = RowStride(header);
    for (int y = 0; y < canvas.Height(); ++y) {
        const auto row = data.Bytes(static_cast<std::size_t>(y) * stride, stride);
        if (!row) {
            return false;
        }
        for (int x = 0; x < canvas.Width(); ++x) {
            canvas.Put(x, y, IndexAt(*row, static_cast<std::size_t>(x), header.bitCount));
        }
    }
    return true;
}

// Walks an RLE8 or RLE4 stream. A stream is accepted only when it reaches its end-of-bitmap
// marker without any run or delta leaving the image and without asking for missing bytes.
class RleDecoder {
public:
    RleDecoder(ByteSpan data, unsigned bitCount, Canvas& canvas)
        : m_data(data), m_bitCount(bitCount), m_canvas(canvas) {}

    // Every command consumes at least two bytes, so the loop ends with the data at the latest.
    bool Decode() {
        for (;;) {
            const auto count = m_data.U8(m_pos);
            const auto code = m_data.U8(m_pos + 1);
            if (!count || !code) {
                return false;
            }
            m_pos += 2;
            if (*count != 0) {
                if (!EncodedRun(*count, *code)) {
                    return false;
                }
            } else if (*code == kEndOfBitmap) {
                return true;
            } else if (!Escape(*code)) {
                return false;
            }
        }
    }

private:
    static constexpr std::uint8_t kEndOfLine = 0;
    static constexpr std::uint8_t kEndOfBitmap = 1;
    static constexpr std::uint8_t kDelta = 2;

    bool Escape(std::uint8_t code) {
        switch (code) {
        case kEndOfLine:
            return EndOfLine();
        case kDelta:
            return Delta();
        default:
            return AbsoluteRun(code);
        }
    }

    // Ending the last row is allowed, so the position may stand one row above the image, but
    // nothing may be written there and no row may be ended from there.
    bool EndOfLine() {
        if (m_y >= m_canvas.Height()) {
            return false;
        }
        m_x = 0;
        ++m_y;
        return true;
    }

    // A delta must land on a row of the image; it may stop just past the last pixel of a row.
    bool Delta() {
        const auto dx = m_data.U8(m_pos);
        const auto dy = m_data.U8(m_pos + 1);
        if (!dx || !dy || *dx > m_canvas.Width() - m_x || *dy >= m_canvas.Height() - m_y) {
            return false;
        }
        m_pos += 2;
        m_x += *dx;
        m_y += *dy;
        return true;
    }

    bool RunFits(int count) const {
        return m_y < m_canvas.Height() && count <= m_canvas.Width() - m_x;
    }

    // In RLE4 the value byte holds two indices that alternate, high one first.
    bool EncodedRun(std::uint8_t count, std::uint8_t value) {
        if (!RunFits(count)) {
            return false;
        }
        const std::array<std::uint8_t, 1> pattern{value};
        const std::size_t period = m_bitCount == 4 ? 2 : 1;
        for (std::size_t i = 0; i < count; ++i) {
            m_canvas.Put(m_x++, m_y, IndexAt(pattern, i % period, m_bitCount));
        }
        return true;
    }

    // An absolute run's bytes are padded to a 16-bit boundary.
    bool AbsoluteRun(std::uint8_t count) {
        const std::size_t bytes = (std::size_t{count} * m_bitCount + 7) / 8;
        const auto run = m_data.Bytes(m_pos, bytes + bytes % 2);
        if (!run || !RunFits(count)) {
            return false;
        }
        m_pos += run->size();
        for (std::size_t i = 0; i < count; ++i) {
            m_canvas.Put(m_x++, m_y, IndexAt(*run, i, m_bitCount));
        }
        return true;
    }

    ByteReader m_data;
    unsigned m_bitCount;
    Canvas& m_canvas;
    std::size_t m_pos = 0;
    int m_x = 0;
    int m_y = 0;
};

// Pixels the stream never reaches keep colour 0 of the table (black when it is empty), as
// every pixel does before the stream is played.
bool DecodeRle(const BitmapInfoHeader& header, ByteSpan pixels, Canvas& canvas) {
    canvas.Fill(0);
    return RleDecoder(pixels, header.bitCount, canvas).Decode();
}

} // namespace

bool CreateDIBitmap(const BitmapInfoHeader& header, std::span<const std::uint8_t> colours,
                    std::span<const std::uint8_t> pixels, CBitmap& bitmap) {
    if (!IsConvertible(header)) {
        return false;
    }
    if (header.compression == BI_RGB && !HoldsAllRows(header, pixels)) {
        return false;
    }
    CBitmap result;
    if (!result.CreateBitmap(header.width, header.height, 1, CBitmap::kBitsPerPixel)) {
        return false;
    }
    Canvas canvas(result, colours);
    const bool decoded = header.compression == BI_RGB ? DecodeRows(header, pixels, canvas)
                                                      : DecodeRle(header, pixels, canvas);
    if (!decoded) {
        return false;
    }
    bitmap = std::move(result);
    return true;
}
