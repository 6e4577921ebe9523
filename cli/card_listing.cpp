#include "cli/card_listing.h"

#include "contacts/card_lookup.h"
#include "contacts/photo_format.h"
#include "contacts/vcard_property.h"
#include "convert/decode_size.h"
#include "image/image_io.h"
#include "pack/pack_image.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>

namespace {

std::string_view KindName(CardSummary::Kind kind) {
    switch (kind) {
    case CardSummary::Kind::Image:
        return "image";
    case CardSummary::Kind::Link:
        return "link";
    case CardSummary::Kind::Unreadable:
        return "unreadable";
    case CardSummary::Kind::None:
        break;
    }
    return "none";
}

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? "\"\"" : std::string(1, c);
    }
    return quoted + "\"";
}

// A field as a manifest line needs it: quoted when it holds a comma or a quote, or begins or
// ends with a blank, which an unquoted field would lose.
std::string ManifestField(std::string_view text) {
    const bool plain = text.find_first_of(",\"") == std::string_view::npos && !text.empty() &&
                       text.front() != ' ' && text.back() != ' ';
    return plain ? std::string(text) : Quoted(text);
}

// The card's name when it names this card alone and reads back as a name, else its number.
std::string CardField(const VCardFile& file, const Card& card) {
    const std::string& name = card.name;
    const bool usable = !name.empty() && name.find_first_of("\r\n") == std::string::npos &&
                        name.find_first_not_of("0123456789") != std::string::npos;
    const auto same = [&](const Card& other) { return NamesMatch(other.name, name); };
    if (usable && std::ranges::count_if(file.cards, same) == 1) {
        return ManifestField(name);
    }
    return std::to_string(card.number);
}

std::string AbsolutePath(std::string_view path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? std::string(path) : absolute.lexically_normal().string();
}

} // namespace

CardSummary SummariseCard(const Card& card) {
    if (card.photo.kind == PhotoKind::None) {
        return {CardSummary::Kind::None, {}, 0, 0};
    }
    if (card.photo.kind == PhotoKind::Link) {
        return {CardSummary::Kind::Link, {}, 0, 0};
    }
    const PhotoFormat format = SniffPhoto(card.photo.bytes);
    if (format.name.empty()) {
        return {CardSummary::Kind::Unreadable, {}, 0, 0};
    }
    CardSummary summary{CardSummary::Kind::Image, std::string(format.name), format.width,
                        format.height};
    if (summary.width <= 0 || summary.height <= 0) {
        const DecodedImage decoded = DecodeImageData(card.photo.bytes, &ReducedDecodeSize);
        if (!decoded.image) {
            return {CardSummary::Kind::Unreadable, {}, 0, 0};
        }
        summary.width = decoded.fullSize.width;
        summary.height = decoded.fullSize.height;
    }
    return summary;
}

std::string CardTextLine(const Card& card, const CardSummary& summary) {
    std::string photo;
    switch (summary.kind) {
    case CardSummary::Kind::Image:
        photo = std::to_string(summary.width) + "\u00d7" + std::to_string(summary.height) + " " +
                summary.format;
        break;
    case CardSummary::Kind::None:
        photo = "no photo";
        break;
    case CardSummary::Kind::Link:
        photo = "link only";
        break;
    case CardSummary::Kind::Unreadable:
        photo = "unreadable photo";
        break;
    }
    std::string name = card.name;
    std::ranges::replace_if(
        name, [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return std::to_string(card.number) + "\t" + name + "\t" + photo + "\n";
}

std::string CardJsonLine(const Card& card, const CardSummary& summary) {
    nlohmann::ordered_json object{
        {"card", card.number}, {"name", card.name}, {"photo", KindName(summary.kind)}};
    if (summary.kind == CardSummary::Kind::Image) {
        object["format"] = summary.format;
        object["width"] = summary.width;
        object["height"] = summary.height;
    }
    if (summary.kind == CardSummary::Kind::Link) {
        object["link"] = card.photo.link;
    }
    if (card.crop) {
        object["crop"] = {{"x", card.crop->x},
                          {"y", card.crop->y},
                          {"width", card.crop->width},
                          {"height", card.crop->height}};
    }
    // Links are as the card wrote them and need not be UTF-8; such bytes are replaced.
    return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

std::string CardsManifest(const VCardFile& file, std::string_view vcardPath) {
    std::string manifest =
        "# slot,id,image,card: give each contact's identifier in place of 0, which leaves the "
        "slot empty.\n";
    // An image that does not end in .vcf or .vcard is quoted, or the card would be read as part
    // of its name.
    const std::string path = AbsolutePath(vcardPath);
    const bool named = EndsWithIgnoringCase(path, ".vcf") || EndsWithIgnoringCase(path, ".vcard");
    const std::string image = named ? ManifestField(path) : Quoted(path);
    int slot = 0;
    for (const Card& card : file.cards) {
        if (slot == PACK_SLOT_COUNT) {
            break;
        }
        if (SummariseCard(card).kind != CardSummary::Kind::Image) {
            continue;
        }
        ++slot;
        manifest += std::to_string(slot) + ",0," + image + "," + CardField(file, card) + "\n";
    }
    return manifest;
}
