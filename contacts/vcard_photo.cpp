#include "contacts/vcard_photo.h"

#include "contacts/vcard_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

PhotoValue FromBase64(std::string_view text) {
    PhotoValue value;
    value.error = DecodeBase64(text, value.photo.bytes);
    if (!value.error.empty()) {
        value.photo.bytes.clear();
        return value;
    }
    value.photo.kind = value.photo.bytes.empty() ? PhotoKind::None : PhotoKind::Data;
    return value;
}

// data:[MEDIATYPE][;base64],DATA. Some writers escape the comma as text values are escaped
// ("base64\,"), others do not, so a backslash before it is dropped.
PhotoValue FromDataUri(std::string_view uri) {
    std::string_view rest = uri.substr(5);
    const auto comma = rest.find(',');
    if (comma == std::string_view::npos) {
        return {{}, "its photo's data URI holds no data"};
    }
    std::string_view header = rest.substr(0, comma);
    if (header.ends_with('\\')) {
        header.remove_suffix(1);
    }
    const std::string_view data = rest.substr(comma + 1);
    if (EndsWithIgnoringCase(header, ";base64")) {
        return FromBase64(data);
    }
    PhotoValue value;
    value.photo.bytes = DecodePercent(data);
    value.photo.kind = value.photo.bytes.empty() ? PhotoKind::None : PhotoKind::Data;
    return value;
}

bool IsLink(const VCardProperty& property, std::string_view value) {
    const std::string_view type = property.Param("VALUE");
    return EqualsIgnoringCase(type, "URI") || EqualsIgnoringCase(type, "URL") ||
           value.find("://") != std::string_view::npos || StartsWithIgnoringCase(value, "cid:");
}

std::optional<int> ParseInt(std::string_view text) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

} // namespace

PhotoValue ReadPhotoValue(const VCardProperty& property, std::string_view value) {
    value = TrimBlanks(value);
    if (property.Encoding() == VCardEncoding::Base64) {
        return FromBase64(value);
    }
    if (StartsWithIgnoringCase(value, "data:")) {
        return FromDataUri(value);
    }
    if (value.empty()) {
        return {};
    }
    if (IsLink(property, value)) {
        return {{PhotoKind::Link, {}, std::string(value)}, {}};
    }
    // Some vCard 2.1 writers leave out ENCODING before base64 data; anything else is taken as
    // a reference this reader cannot follow.
    PhotoValue decoded = FromBase64(value);
    if (decoded.error.empty()) {
        return decoded;
    }
    return {{PhotoKind::Link, {}, std::string(value)}, {}};
}

std::optional<CardCrop> ReadCrop(const VCardProperty& property) {
    std::string_view text = property.Param("X-ABCROP-RECTANGLE");
    if (!StartsWithIgnoringCase(text, "ABClipRect_")) {
        return std::nullopt;
    }
    // The first field names the form; then X, Y, width and height, then a checksum.
    std::array<int, 4> numbers{};
    for (int& number : numbers) {
        const auto amp = text.find('&');
        if (amp == std::string_view::npos) {
            return std::nullopt;
        }
        text.remove_prefix(amp + 1);
        const auto parsed = ParseInt(text.substr(0, text.find('&')));
        if (!parsed) {
            return std::nullopt;
        }
        number = *parsed;
    }
    if (numbers[2] <= 0 || numbers[3] <= 0) {
        return std::nullopt;
    }
    return CardCrop{numbers[0], numbers[1], numbers[2], numbers[3]};
}

std::optional<PixelRect> CropInPhoto(const CardCrop& crop, ImageSize size) {
    const std::int64_t top = std::int64_t{size.height} - crop.y - crop.height;
    const std::int64_t left = std::max<std::int64_t>(crop.x, 0);
    const std::int64_t right =
        std::min<std::int64_t>(std::int64_t{crop.x} + crop.width, size.width);
    const std::int64_t bottom = std::min<std::int64_t>(top + crop.height, size.height);
    const std::int64_t upper = std::max<std::int64_t>(top, 0);
    if (right <= left || bottom <= upper) {
        return std::nullopt;
    }
    return PixelRect{static_cast<int>(left), static_cast<int>(upper),
                     static_cast<int>(right - left), static_cast<int>(bottom - upper)};
}
