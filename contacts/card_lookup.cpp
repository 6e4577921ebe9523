#include "contacts/card_lookup.h"

#include <algorithm>
#include <charconv>
#include <locale.h>
#include <optional>
#include <string>
#include <vector>
#include <wctype.h>

namespace {

// The locale whose case tables fold names; made once, and never freed, as it is shared.
locale_t CaseLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    return locale;
}

// The next code point of valid UTF-8 text at i, which moves past it.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    const unsigned char lead = byte(i);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (i + length > text.size()) {
        return byte(i++);
    }
    char32_t point = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        point = point << 6 | (byte(i + k) & 0x3F);
    }
    i += length;
    return point;
}

char32_t Fold(char32_t point) {
    const locale_t locale = CaseLocale();
    if (locale == static_cast<locale_t>(nullptr)) {
        return point >= 'A' && point <= 'Z' ? point + ('a' - 'A') : point;
    }
    return static_cast<char32_t>(towlower_l(static_cast<wint_t>(point), locale));
}

std::optional<int> CardNumber(std::string_view text) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || text.front() == '-' || error != std::errc{} ||
        end != text.data() + text.size()) {
        return std::nullopt;
    }
    return number;
}

CardChoice ByNumber(const VCardFile& file, int number) {
    for (const Card& card : file.cards) {
        if (card.number == number) {
            return {&card, {}};
        }
    }
    for (const SkippedCard& skipped : file.skipped) {
        if (skipped.number == number) {
            return {nullptr,
                    "card " + std::to_string(number) + " cannot be read: " + skipped.reason};
        }
    }
    const std::size_t count = file.cards.size() + file.skipped.size();
    return {nullptr, "there is no card " + std::to_string(number) + "; the file holds " +
                         std::to_string(count) + (count == 1 ? " card" : " cards")};
}

std::string ListNumbers(const std::vector<const Card*>& cards) {
    std::string list;
    for (std::size_t i = 0; i < cards.size(); ++i) {
        const bool last = i + 1 == cards.size();
        list += (i == 0 ? "" : last ? " and " : ", ") + std::to_string(cards[i]->number);
    }
    return list;
}

} // namespace

std::u32string FoldName(std::string_view name) {
    std::u32string folded;
    folded.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        folded += Fold(NextCodePoint(name, i));
    }
    return folded;
}

bool NamesMatch(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t k = 0;
    while (i < a.size() && k < b.size()) {
        if (Fold(NextCodePoint(a, i)) != Fold(NextCodePoint(b, k))) {
            return false;
        }
    }
    return i == a.size() && k == b.size();
}

CardChoice FindCard(const VCardFile& file, std::string_view which) {
    if (const auto number = CardNumber(which)) {
        return ByNumber(file, *number);
    }
    std::vector<const Card*> named;
    for (const Card& card : file.cards) {
        if (NamesMatch(card.name, which)) {
            named.push_back(&card);
        }
    }
    // Built by appending: GCC 12 at -O3 warns falsely about "'" + std::string.
    std::string quoted = "'";
    quoted.append(which).append("'");
    if (named.empty()) {
        return {nullptr, "no card is named " + quoted};
    }
    if (named.size() > 1) {
        return {nullptr,
                quoted + " names cards " + ListNumbers(named) + "; give the card's number instead"};
    }
    return {named.front(), {}};
}

CardChoice FindCardWithPhoto(const VCardFile& file, std::string_view which) {
    CardChoice choice = FindCard(file, which);
    if (choice.card != nullptr) {
        if (const std::string problem = PhotoProblem(*choice.card); !problem.empty()) {
            return {nullptr, DescribeCard(*choice.card) + problem};
        }
    }
    return choice;
}

std::string PhotoProblem(const Card& card) {
    switch (card.photo.kind) {
    case PhotoKind::None:
        return " has no photo";
    case PhotoKind::Link:
        return " has only a link to its photo (" + card.photo.link + "), not the picture";
    case PhotoKind::Data:
        break;
    }
    return {};
}

std::string DescribeCard(const Card& card) {
    const std::string number = "card " + std::to_string(card.number);
    return card.name.empty() ? number : number + " (" + card.name + ")";
}
