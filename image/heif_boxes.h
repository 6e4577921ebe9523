// The boxes of an ISO media file (HEIF, AVIF), read through the one bounds-checked reader:
// each has a size, a four-letter type and a payload, and some hold further boxes.
#pragma once

#include "base/byte_reader.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

struct Box {
    std::string_view type;
    // The payload, after the header.
    std::size_t body = 0;
    std::size_t end = 0;
};

// A big-endian number of 1 to 8 bytes, as every box field is stored.
std::optional<std::uint64_t> BigEndian(const ByteReader& reader, std::size_t offset,
                                       std::size_t count);

// The boxes between from and to, in order; nothing when one of them runs past to.
std::optional<std::vector<Box>> Children(const ByteReader& reader, std::size_t from,
                                         std::size_t to);

// The boxes from from on that lie whole inside the data, up to the first that does not: a file
// cut short still shows the boxes before the cut.
std::vector<Box> LeadingBoxes(const ByteReader& reader, std::size_t from);

// The first box of type, or null.
const Box* FindBox(const std::vector<Box>& boxes, std::string_view type);

// A full box's version, from the byte that starts its payload.
std::optional<std::uint8_t> BoxVersion(const ByteReader& reader, const Box& box);
