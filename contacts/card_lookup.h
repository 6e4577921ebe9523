// Choosing one card of a file as a user names it on the command line: by its number, or by its
// whole name in any case.
#pragma once

#include "contacts/vcard.h"

#include <string>
#include <string_view>

struct CardChoice {
    const Card* card = nullptr;
    // Why no card was chosen, as a sentence for the user; empty when one was.
    std::string error;
};

// The card numbered which (whole decimal digits), or else the one card whose name is which,
// ignoring case. Two cards of that name are refused with both numbers, so the user can pick.
CardChoice FindCard(const VCardFile& file, std::string_view which);

// FindCard, then refused unless the card carries a photo's bytes.
CardChoice FindCardWithPhoto(const VCardFile& file, std::string_view which);

// Why the card's photo cannot be used ("has no photo", "'s photo is only a link (URL)"), for
// after its description; empty when it holds a photo's bytes.
std::string PhotoProblem(const Card& card);

// "card 3 (Anna Berg)", or "card 3" for a card without a name.
std::string DescribeCard(const Card& card);

// A UTF-8 name with its case folded, for comparing and searching names whatever their case.
std::u32string FoldName(std::string_view name);

// Whether two UTF-8 names are the same whole name, ignoring case in any script the C library
// knows the cases of.
bool NamesMatch(std::string_view a, std::string_view b);
