// What listing an address book and choosing a card does with a vCard file's bytes: every card
// read, its photo's type and size told from its bytes, its crop placed on the photo, and the
// card found again by its number and by its name.
#include "contacts/card_lookup.h"
#include "contacts/photo_format.h"
#include "contacts/vcard.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void CheckCard(const VCardFile& file, const Card& card) {
    Check((card.photo.kind == PhotoKind::Data) == !card.photo.bytes.empty());
    Check((card.photo.kind == PhotoKind::Link) == !card.photo.link.empty());
    Check(FindCard(file, std::to_string(card.number)).card == &card);
    // A name of digits is taken as a number, which may be another card's.
    if (card.name.find_first_not_of("0123456789") != std::string::npos) {
        const CardChoice byName = FindCard(file, card.name);
        Check(byName.card == nullptr || NamesMatch(byName.card->name, card.name));
        Check(byName.card != nullptr || byName.error.find("names cards") != std::string::npos);
    }
    const PhotoFormat format = SniffPhoto(card.photo.bytes);
    Check(format.width >= 0 && format.height >= 0);
    if (card.crop) {
        const ImageSize size{std::max(format.width, 1), std::max(format.height, 1)};
        if (const auto rect = CropInPhoto(*card.crop, size)) {
            Check(rect->x >= 0 && rect->y >= 0 && rect->width > 0 && rect->height > 0);
            Check(std::int64_t{rect->x} + rect->width <= size.width &&
                  std::int64_t{rect->y} + rect->height <= size.height);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const VCardFile file = ReadVCards(std::span(data, size));
    // Numbers count every card in the file's order, read or skipped, from 1.
    std::size_t read = 0;
    std::size_t skipped = 0;
    for (int number = 1; read < file.cards.size() || skipped < file.skipped.size(); ++number) {
        const bool isRead = read < file.cards.size() && file.cards[read].number == number;
        Check(isRead || (skipped < file.skipped.size() && file.skipped[skipped].number == number &&
                         !file.skipped[skipped].reason.empty()));
        if (isRead) {
            CheckCard(file, file.cards[read++]);
        } else {
            ++skipped;
        }
    }
    return 0;
}
