// A display bitmap: a plain raster kept at 32 bits per pixel, blue byte first, top row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

// Whether a new bitmap's pixels start black or are left for the caller to write, every one.
enum class BitmapInit { Zeroed, Unspecified };

class CBitmap {
public:
    static constexpr int kBitsPerPixel = 32;
    static constexpr int kBytesPerPixel = kBitsPerPixel / 8;

    // Only one plane at 32 bits per pixel is kept; any other request fails.
    bool CreateBitmap(int width, int height, unsigned planes, unsigned bitsPerPixel,
                      BitmapInit init = BitmapInit::Zeroed);
    void DeleteObject();
    bool IsNull() const { return m_width == 0; }

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetBitsPixel() const { return IsNull() ? 0 : kBitsPerPixel; }
    int GetWidthBytes() const { return m_width * kBytesPerPixel; }

    // Copy up to count bytes of the pixels, top row first; returns how many were copied.
    std::size_t GetBitmapBits(std::size_t count, void* bits) const;
    std::size_t SetBitmapBits(std::size_t count, const void* bits);

    std::span<const std::uint8_t> Bits() const { return {m_bits.get(), m_size}; }
    std::span<std::uint8_t> Bits() { return {m_bits.get(), m_size}; }

private:
    int m_width = 0;
    int m_height = 0;
    std::size_t m_size = 0;
    std::unique_ptr<std::uint8_t[]> m_bits;
};
