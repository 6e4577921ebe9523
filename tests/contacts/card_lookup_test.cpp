// Choosing a card as a user names it, and where a card's crop lies in its photo.

#include "contacts/card_lookup.h"
#include "tests/contacts/vcard_samples.h"

#include <gtest/gtest.h>

#include <string>

namespace {

VCardFile SampleFile() {
    const std::string text =
        WriteVCard("BEGIN:VCARD\nFN:Åsa Berg\nPHOTO;ENCODING=b:{JPEG}\nEND:VCARD\n"
                   "BEGIN:VCARD\nFN:Anna\nPHOTO;ENCODING=b:{PNG}\nEND:VCARD\n"
                   "BEGIN:VCARD\nFN:anna\nPHOTO;ENCODING=b:{JPEG}\nEND:VCARD\n"
                   "BEGIN:VCARD\nFN:Bo\nEND:VCARD\n"
                   "BEGIN:VCARD\nFN:Linus\nPHOTO;VALUE=uri:https://example.org/l.jpg\nEND:VCARD\n"
                   "BEGIN:VCARD\nFN:Broken\nPHOTO;ENCODING=b:{JPEG|cut}\nEND:VCARD\n"
                   "BEGIN:VCARD\nFN:42\nPHOTO;ENCODING=b:{JPEG}\nEND:VCARD\n");
    return ReadVCards({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

struct LookupCase {
    const char* name;
    std::string which;
    // The card chosen, or 0 for none.
    int number;
    std::string error;
};

const std::vector<LookupCase> kLookups = {
    {"NumberFromOne", "2", 2, ""},
    {"WholeNameInAnyCaseBeyondAscii", "åSA BERG", 1, ""},
    {"PartOfANameIsNoMatch", "Berg", 0, "no card is named 'Berg'"},
    {"TwoCardsOfOneNameListTheirNumbers", "ANNA", 0,
     "'ANNA' names cards 2 and 3; give the card's number instead"},
    {"NumberPastTheEnd", "8", 0, "there is no card 8; the file holds 7 cards"},
    {"SkippedCardSaysWhy", "6", 0, "card 6 cannot be read: its photo's base64 data is cut short"},
    {"NoPhoto", "bo", 0, "card 4 (Bo) has no photo"},
    {"LinkOnly", "Linus", 0,
     "card 5 (Linus) has only a link to its photo (https://example.org/l.jpg), not the picture"},
    {"DigitsAreANumberNotAName", "42", 0, "there is no card 42; the file holds 7 cards"},
};

class CardLookup : public testing::TestWithParam<LookupCase> {};

TEST_P(CardLookup, ChoosesOneCardWithAPhotoOrSaysWhyNot) {
    const VCardFile file = SampleFile();
    const CardChoice choice = FindCardWithPhoto(file, GetParam().which);
    EXPECT_EQ(choice.card == nullptr ? 0 : choice.card->number, GetParam().number);
    EXPECT_EQ(choice.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(Cards, CardLookup, testing::ValuesIn(kLookups),
                         [](const auto& info) { return std::string(info.param.name); });

struct CropCase {
    const char* name;
    CardCrop crop;
    ImageSize size;
    std::optional<PixelRect> expected;
};

// The crop's y runs up from the photo's bottom; the rectangle is top-down and inside the photo.
const std::vector<CropCase> kCrops = {
    {"WholePhoto", {0, 0, 64, 64}, {64, 64}, PixelRect{0, 0, 64, 64}},
    {"BottomLeftCornerIsAtTheBottom", {0, 0, 32, 16}, {64, 64}, PixelRect{0, 48, 32, 16}},
    {"TopRightCorner", {40, 50, 24, 14}, {64, 64}, PixelRect{40, 0, 24, 14}},
    {"ClippedToThePhoto", {-10, -10, 40, 200}, {64, 64}, PixelRect{0, 0, 30, 64}},
    {"OutsideThePhoto", {100, 0, 10, 10}, {64, 64}, std::nullopt},
    {"HugeNumbersDoNotOverflow",
     {2147483000, 2147483000, 2147483000, 2147483000},
     {64, 64},
     std::nullopt},
};

class CardCropRect : public testing::TestWithParam<CropCase> {};

TEST_P(CardCropRect, LiesTopDownInsideThePhoto) {
    const auto rect = CropInPhoto(GetParam().crop, GetParam().size);
    ASSERT_EQ(rect.has_value(), GetParam().expected.has_value());
    if (rect) {
        const PixelRect& e = *GetParam().expected;
        EXPECT_EQ(std::tie(rect->x, rect->y, rect->width, rect->height),
                  std::tie(e.x, e.y, e.width, e.height));
    }
}

INSTANTIATE_TEST_SUITE_P(Crops, CardCropRect, testing::ValuesIn(kCrops),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
