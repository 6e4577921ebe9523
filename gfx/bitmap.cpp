#include "gfx/bitmap.h"

#include <algorithm>
#include <cstring>

namespace {
// Far beyond any picture the editor handles; keeps a size product inside int.
constexpr int kMaxSide = 1 << 14;
} // namespace

bool CBitmap::CreateBitmap(int width, int height, unsigned planes, unsigned bitsPerPixel,
                           BitmapInit init) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || planes != 1 ||
        bitsPerPixel != kBitsPerPixel) {
        return false;
    }
    m_width = width;
    m_height = height;
    m_size = static_cast<std::size_t>(GetWidthBytes()) * static_cast<std::size_t>(height);
    m_bits = init == BitmapInit::Zeroed ? std::make_unique<std::uint8_t[]>(m_size)
                                        : std::make_unique_for_overwrite<std::uint8_t[]>(m_size);
    return true;
}

void CBitmap::DeleteObject() {
    m_width = 0;
    m_height = 0;
    m_size = 0;
    m_bits.reset();
}

std::size_t CBitmap::GetBitmapBits(std::size_t count, void* bits) const {
    const std::size_t n = std::min(count, m_size);
    if (n != 0) {
        std::memcpy(bits, m_bits.get(), n);
    }
    return n;
}

std::size_t CBitmap::SetBitmapBits(std::size_t count, const void* bits) {
    const std::size_t n = std::min(count, m_size);
    if (n != 0) {
        std::memcpy(m_bits.get(), bits, n);
    }
    return n;
}
