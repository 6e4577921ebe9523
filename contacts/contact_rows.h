// The rows of the editor's Choose Contact window, as plain data: every card of a file with
// whether its photo can be imported and, when not, why; and which rows a typed filter keeps.
#pragma once

#include "contacts/vcard.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct ContactRow {
    int number = 0;
    // The card's name, or "Card N" for a card without one.
    std::string name;
    // Whether the card holds a photo of a type the readers may know; only those are chosen.
    bool usable = false;
    // Why the card cannot be chosen, as the row shows it; empty for a usable one.
    std::string reason;
    // The card, for a card that was read; null for one that was skipped.
    const Card* card = nullptr;
};

// One row per card of the file, read or skipped, in the file's order.
std::vector<ContactRow> ContactRows(const VCardFile& file);

// The indexes of the rows whose name holds filter, ignoring case; every row for an empty
// filter.
std::vector<std::size_t> FilterRows(const std::vector<ContactRow>& rows, std::string_view filter);
