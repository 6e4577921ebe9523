#include "pack/contact_sheet.h"

#include "pack/picture_export.h"
#include "pack/sheet_font.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

constexpr std::uint8_t kWhite = 255;
constexpr std::uint8_t kBlack = 0;
constexpr std::uint8_t kDarkGrey = 85;
constexpr std::uint8_t kLightGrey = 190;

// Spaces in picture pixels, multiplied by the scale like everything else on the sheet.
constexpr int kGap = 4;
constexpr int kCaptionGap = 1;
// The slot number stands white on a dark badge, so that it cannot be read as part of the
// identifier beside it.
constexpr int kBadgePadding = 1;
constexpr int kCaptionHeight = kGlyphHeight + 2 * kBadgePadding;
constexpr int kCellHeight = PICTURE_HEIGHT + kCaptionGap + kCaptionHeight;

// Whether (x, y) lies on one of the two strokes of the cross in the upper part of the picture.
bool OnCross(int x, int y) {
    constexpr int left = 12, right = 35, top = 4, bottom = 29;
    if (x < left || x > right || y < top || y > bottom) {
        return false;
    }
    const double u = (x - left) / double(right - left);
    const double v = (y - top) / double(bottom - top);
    constexpr double halfStroke = 0.09;
    return std::abs(u - v) < halfStroke || std::abs(u + v - 1.0) < halfStroke;
}

void DrawCentred(GreyCanvas canvas, int y, std::string_view text) {
    DrawText(canvas, (canvas.width - TextWidth(text, 1)) / 2, y, text, 1, kBlack);
}

void Blit(GreyPicture& sheet, int left, int top, const std::uint8_t* greys, int scale) {
    for (int y = 0; y < PICTURE_HEIGHT * scale; ++y) {
        std::uint8_t* row = sheet.grey.data() + (top + y) * sheet.width + left;
        const std::uint8_t* source = greys + (y / scale) * PICTURE_WIDTH;
        for (int x = 0; x < PICTURE_WIDTH * scale; ++x) {
            row[x] = source[x / scale];
        }
    }
}

void FillRect(GreyPicture& sheet, int left, int top, int width, int height, std::uint8_t grey) {
    for (int y = top; y < top + height; ++y) {
        std::fill_n(sheet.grey.begin() + y * sheet.width + left, width, grey);
    }
}

void DrawCell(GreyPicture& sheet, const PackImage& pack, int slot, int scale) {
    const int left = (kGap + (slot % kSheetColumns) * (PICTURE_WIDTH + kGap)) * scale;
    const int top = (kGap + (slot / kSheetColumns) * (kCellHeight + kGap)) * scale;
    const ContactId id = GetContactId(pack, slot);
    if (id == 0) {
        Blit(sheet, left, top, EmptySlotGreys().data(), scale);
    } else {
        Blit(sheet, left, top, PictureToGreys(GetPicture(pack, slot)).data(), scale);
    }
    const GreyCanvas canvas{sheet.width, sheet.height, sheet.grey.data()};
    const int captionTop = top + (PICTURE_HEIGHT + kCaptionGap) * scale;
    const std::string number = std::to_string(slot + 1);
    const int badgeWidth = TextWidth(number, scale) + 2 * kBadgePadding * scale;
    FillRect(sheet, left, captionTop, badgeWidth, kCaptionHeight * scale, kDarkGrey);
    const int textTop = captionTop + kBadgePadding * scale;
    DrawText(canvas, left + kBadgePadding * scale, textTop, number, scale, kWhite);
    if (id != 0) {
        const std::string text = std::to_string(id);
        const int textLeft = left + PICTURE_WIDTH * scale - TextWidth(text, scale);
        DrawText(canvas, textLeft, textTop, text, scale, kBlack);
    }
}

} // namespace

std::array<std::uint8_t, PICTURE_WIDTH * PICTURE_HEIGHT> EmptySlotGreys() {
    std::array<std::uint8_t, PICTURE_WIDTH * PICTURE_HEIGHT> greys{};
    for (int y = 0; y < PICTURE_HEIGHT; ++y) {
        for (int x = 0; x < PICTURE_WIDTH; ++x) {
            // A light frame shows where the picture would be, even on a white page.
            const bool frame =
                x == 0 || y == 0 || x == PICTURE_WIDTH - 1 || y == PICTURE_HEIGHT - 1;
            greys[y * PICTURE_WIDTH + x] = OnCross(x, y) ? kDarkGrey : frame ? kLightGrey : kWhite;
        }
    }
    const GreyCanvas canvas{PICTURE_WIDTH, PICTURE_HEIGHT, greys.data()};
    DrawCentred(canvas, 34, "NO");
    DrawCentred(canvas, 41, "PICTURE");
    return greys;
}

int SheetWidth(int scale) {
    return (kGap + kSheetColumns * (PICTURE_WIDTH + kGap)) * scale;
}

int SheetHeight(int scale) {
    constexpr int rows = PACK_SLOT_COUNT / kSheetColumns;
    return (kGap + rows * (kCellHeight + kGap)) * scale;
}

GreyPicture DrawContactSheet(const PackImage& pack, int scale) {
    GreyPicture sheet;
    sheet.width = SheetWidth(scale);
    sheet.height = SheetHeight(scale);
    sheet.grey.assign(static_cast<std::size_t>(sheet.width) * sheet.height, kWhite);
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        DrawCell(sheet, pack, slot, scale);
    }
    return sheet;
}
