// The cards of a vCard file (2.1, 3.0 or 4.0) as the programs need them: each card's name, its
// photo and the crop its owner chose. The reader forgives what real exporters write; a card it
// cannot read is skipped with the reason, and the others still come through.
#pragma once

#include "base/file_limits.h"
#include "gfx/rgb_image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// No photo an address book keeps comes near this; a longer property is a damaged or hostile
// file, and refusing it bounds what one card can cost.
inline constexpr std::uintmax_t kMaxVCardPropertyBytes = 16 * kMiB;

// The part of the photo the user chose in the address book, as written: in the photo's pixels,
// with y measured upward from the photo's bottom edge, as that exporter's drawing coordinates
// run.
struct CardCrop {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const CardCrop&, const CardCrop&) = default;
};

enum class PhotoKind {
    None,
    // The photo's bytes are in the card.
    Data,
    // The card only points at a photo elsewhere, which neither program fetches.
    Link,
};

struct CardPhoto {
    PhotoKind kind = PhotoKind::None;
    // The decoded bytes, for Data; their type is told from the bytes, never from the card.
    std::vector<std::uint8_t> bytes;
    // The address, for Link.
    std::string link;
};

struct Card {
    // Counted from 1 in the file's order, skipped cards included, so numbers stay the user's.
    int number = 0;
    // In UTF-8, unescaped; from FN, or else from N's parts; empty when the card has neither.
    std::string name;
    CardPhoto photo;
    std::optional<CardCrop> crop;
};

struct SkippedCard {
    int number = 0;
    std::string reason;
};

struct VCardFile {
    std::vector<Card> cards;
    std::vector<SkippedCard> skipped;
    // Set when the file as a whole cannot be read (too large); then there are no cards.
    std::string error;
};

// Whether the bytes begin as a vCard file does: BEGIN:VCARD in any case, after an optional
// byte-order mark and blank lines.
bool LooksLikeVCard(std::span<const std::uint8_t> bytes);

// Every card of a vCard file, in order.
VCardFile ReadVCards(std::span<const std::uint8_t> bytes);

// The crop in top-down pixels of a photo of size as it is decoded, kept inside it; nothing
// when nothing of it lies inside the photo.
std::optional<PixelRect> CropInPhoto(const CardCrop& crop, ImageSize size);
