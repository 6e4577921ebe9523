#include "platform/bitmap.h"

#include <algorithm>
#include <cstring>

namespace {
// Far beyond any picture the editor handles; keeps a size product inside int.
constexpr int kMaxSide = 1 << 14;
} // namespace

bool CBitmap::CreateBitmap(int width, int height, unsigned planes, unsigned bitsPerPixel) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || planes != 1 ||
        bitsPerPixel != kBitsPerPixel) {
        return false;
    }
    m_width = width;
    m_height = height;
    m_bits.assign(static_cast<std::size_t>(GetWidthBytes()) * static_cast<std::size_t>(height), 0);
    return true;
}

void CBitmap::DeleteObject() {
    m_width = 0;
    m_height = 0;
    m_bits.clear();
}

std::size_t CBitmap::GetBitmapBits(std::size_t count, void* bits) const {
    const std::size_t n = std::min(count, m_bits.size());
    if (n != 0) {
        std::memcpy(bits, m_bits.data(), n);
    }
    return n;
}

std::size_t CBitmap::SetBitmapBits(std::size_t count, const void* bits) {
    const std::size_t n = std::min(count, m_bits.size());
    if (n != 0) {
        std::memcpy(m_bits.data(), bits, n);
    }
    return n;
}
