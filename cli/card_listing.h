// What snapfold cards prints for each card, and the manifest it writes with --manifest.
#pragma once

#include "contacts/vcard.h"

#include <string>
#include <string_view>

struct CardSummary {
    enum class Kind { Image, None, Link, Unreadable } kind = Kind::None;
    // For an image: its format and size, from its bytes.
    std::string format;
    int width = 0;
    int height = 0;
};

// The photo as the listing describes it. The size is read from the photo's header, and the
// photo is decoded only for the few formats whose header does not give it.
CardSummary SummariseCard(const Card& card);

// "NUMBER\tNAME\tPHOTO\n", the photo as "W×H FORMAT", "no photo", "link only" or "unreadable
// photo".
std::string CardTextLine(const Card& card, const CardSummary& summary);

// One compact JSON object and a line break.
std::string CardJsonLine(const Card& card, const CardSummary& summary);

// A build manifest: a comment on what to fill in, then slot,0,FILE,CARD for the first 25 cards
// with a readable photo. FILE is vcardPath made absolute, so the manifest works from any
// folder; CARD is the card's name where that names it alone, and its number otherwise.
std::string CardsManifest(const VCardFile& file, std::string_view vcardPath);
