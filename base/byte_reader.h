// The one way binary input is read: every access is checked against the end of the data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : m_data(data) {}

    std::size_t Size() const { return m_data.size(); }
    bool Has(std::size_t offset, std::size_t count) const {
        return offset <= m_data.size() && count <= m_data.size() - offset;
    }

    std::optional<std::uint8_t> U8(std::size_t offset) const {
        if (!Has(offset, 1)) {
            return std::nullopt;
        }
        return m_data[offset];
    }
    std::optional<std::uint16_t> U16(std::size_t offset) const {
        if (!Has(offset, 2)) {
            return std::nullopt;
        }
        return static_cast<std::uint16_t>(m_data[offset] | (m_data[offset + 1] << 8));
    }
    std::optional<std::uint32_t> U32(std::size_t offset) const {
        if (!Has(offset, 4)) {
            return std::nullopt;
        }
        return static_cast<std::uint32_t>(m_data[offset]) |
               static_cast<std::uint32_t>(m_data[offset + 1]) << 8 |
               static_cast<std::uint32_t>(m_data[offset + 2]) << 16 |
               static_cast<std::uint32_t>(m_data[offset + 3]) << 24;
    }
    std::optional<std::int32_t> I32(std::size_t offset) const {
        auto v = U32(offset);
        if (!v) {
            return std::nullopt;
        }
        return static_cast<std::int32_t>(*v);
    }
    // A view of count bytes from offset, or nothing when they do not all lie inside the data.
    std::optional<std::span<const std::uint8_t>> Bytes(std::size_t offset,
                                                       std::size_t count) const {
        if (!Has(offset, count)) {
            return std::nullopt;
        }
        return m_data.subspan(offset, count);
    }

private:
    std::span<const std::uint8_t> m_data;
};
