#include "image/heif_boxes.h"

#include <algorithm>

namespace {

std::optional<Box> BoxAt(const ByteReader& reader, std::size_t offset, std::size_t limit) {
    const auto size = BigEndian(reader, offset, 4);
    const auto type = reader.Bytes(offset + 4, 4);
    if (!size || !type) {
        return std::nullopt;
    }
    Box box{{reinterpret_cast<const char*>(type->data()), 4}, offset + 8, 0};
    std::uint64_t length = *size;
    if (length == 1) {
        const auto large = BigEndian(reader, offset + 8, 8);
        if (!large) {
            return std::nullopt;
        }
        length = *large;
        box.body += 8;
    } else if (length == 0) {
        // A size of zero runs to the end of what holds the box.
        length = limit - offset;
    }
    if (length < box.body - offset || length > limit - offset) {
        return std::nullopt;
    }
    box.end = offset + static_cast<std::size_t>(length);
    return box;
}

} // namespace

std::optional<std::uint64_t> BigEndian(const ByteReader& reader, std::size_t offset,
                                       std::size_t count) {
    const auto bytes = count <= 8 ? reader.Bytes(offset, count) : std::nullopt;
    if (!bytes) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const std::uint8_t byte : *bytes) {
        value = value << 8 | byte;
    }
    return value;
}

std::optional<std::vector<Box>> Children(const ByteReader& reader, std::size_t from,
                                         std::size_t to) {
    std::vector<Box> boxes;
    for (std::size_t at = from; at < to;) {
        const auto box = BoxAt(reader, at, to);
        if (!box) {
            return std::nullopt;
        }
        boxes.push_back(*box);
        at = box->end;
    }
    return boxes;
}

std::vector<Box> LeadingBoxes(const ByteReader& reader, std::size_t from) {
    std::vector<Box> boxes;
    for (std::size_t at = from; at < reader.Size();) {
        const auto box = BoxAt(reader, at, reader.Size());
        if (!box) {
            break;
        }
        boxes.push_back(*box);
        at = box->end;
    }
    return boxes;
}

const Box* FindBox(const std::vector<Box>& boxes, std::string_view type) {
    const auto found = std::ranges::find(boxes, type, &Box::type);
    return found == boxes.end() ? nullptr : &*found;
}

std::optional<std::uint8_t> BoxVersion(const ByteReader& reader, const Box& box) {
    return box.body < box.end ? reader.U8(box.body) : std::nullopt;
}
