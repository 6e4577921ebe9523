#include "contacts/contact_rows.h"

#include "contacts/card_lookup.h"
#include "contacts/photo_format.h"

#include <algorithm>

namespace {

ContactRow RowOf(const Card& card) {
    ContactRow row{card.number, card.name, false, {}, &card};
    if (row.name.empty()) {
        row.name = "Card " + std::to_string(card.number);
    }
    switch (card.photo.kind) {
    case PhotoKind::None:
        row.reason = "No photo";
        break;
    case PhotoKind::Link:
        row.reason = "Only a link to a photo";
        break;
    case PhotoKind::Data:
        row.usable = !SniffPhoto(card.photo.bytes).name.empty();
        row.reason = row.usable ? "" : "Photo of an unknown type";
        break;
    }
    return row;
}

} // namespace

std::vector<ContactRow> ContactRows(const VCardFile& file) {
    std::vector<ContactRow> rows;
    rows.reserve(file.cards.size() + file.skipped.size());
    for (const Card& card : file.cards) {
        rows.push_back(RowOf(card));
    }
    for (const SkippedCard& skipped : file.skipped) {
        rows.push_back({skipped.number, "Card " + std::to_string(skipped.number), false,
                        "Cannot be read: " + skipped.reason, nullptr});
    }
    std::ranges::sort(rows, {}, &ContactRow::number);
    return rows;
}

std::vector<std::size_t> FilterRows(const std::vector<ContactRow>& rows, std::string_view filter) {
    const std::u32string wanted = FoldName(filter);
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (wanted.empty() || FoldName(rows[i].name).find(wanted) != std::u32string::npos) {
            kept.push_back(i);
        }
    }
    return kept;
}
