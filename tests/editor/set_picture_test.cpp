// "Set new Picture" takes photos too: a bitmap file keeps the rules it always had, refusals
// included, and any other picture opens Import Image for the selected slot.

#include "editor/editor_dlg.h"
#include "pack/pack_image.h"
#include "res/resource.h"
#include "tests/support/gui_support.h"
#include "tests/support/named_param.h"
#include "tests/support/test_files.h"

#include <QColor>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using named_param::PrintTo;
using Bytes = std::vector<std::uint8_t>;

// A bottom-up bitmap file at 8 bits per pixel, width x 50, of the four display greys in columns
// that repeat every four pixels: level x % 4.
Bytes GreyColumnsBitmap(int width) {
    Bytes file{'B', 'M'};
    const auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            file.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    };
    const int stride = (width + 3) / 4 * 4;
    const std::uint32_t pixelStart = 54 + 4 * 4;
    put(pixelStart + static_cast<std::uint32_t>(stride * 50), 4);
    put(0, 4), put(pixelStart, 4);
    put(40, 4), put(static_cast<std::uint32_t>(width), 4), put(50, 4), put(1, 2), put(8, 2);
    put(0, 4), put(0, 4), put(0, 4), put(0, 4), put(4, 4), put(0, 4);
    EXPECT_EQ(file.size(), 54u);
    for (const std::uint8_t grey : {0, 85, 190, 255}) {
        file.insert(file.end(), {grey, grey, grey, 0});
    }
    for (int y = 49; y >= 0; --y) {
        for (int x = 0; x < stride; ++x) {
            file.push_back(static_cast<std::uint8_t>(x < width ? x % 4 : 0));
        }
    }
    return file;
}

Bytes PngPhoto() {
    QImage photo(300, 200, QImage::Format_RGB32);
    photo.fill(QColor(90, 140, 200));
    const TempDir dir;
    EXPECT_TRUE(photo.save(QString::fromStdString(dir.File("p.png"))));
    return ReadWholeFile(dir.File("p.png"));
}

struct SetPictureCase {
    std::string name;
    std::string fileName;
    std::function<Bytes()> content;
    bool opensImportImage;
    // The warning the slot is refused with, if any.
    std::string warning;
    // The slot's picture bytes afterwards; every byte the same, or nothing to check.
    std::optional<std::uint8_t> storedByte;
};

// Levels 0, 1, 2, 3 four to a byte, the first in the top bits: 0b00011011.
constexpr std::uint8_t kColumnsByte = 0x1B;

const std::vector<SetPictureCase> kCases{
    {"Png", "photo.png", PngPhoto, true, "", std::nullopt},
    {"Bitmap48x50", "picture.bmp", [] { return GreyColumnsBitmap(48); }, false, "", kColumnsByte},
    {"BitmapNamedAsPng", "picture.png", [] { return GreyColumnsBitmap(48); }, false, "",
     kColumnsByte},
    {"WrongSizedBitmap", "picture.bmp", [] { return GreyColumnsBitmap(50); }, false,
     "Bitmap must be 48x50 max 8bpp", 0},
    {"NoPicture", "picture.bmp",
     [] {
         return Bytes{'n', 'o', 't'};
     },
     false, "The bitmap file cannot be read!", 0},
};

class SetNewPicture : public ::testing::TestWithParam<SetPictureCase> {
protected:
    void SetUp() override { ClearPackImage(g_pack); }

    TempDir dir;
    ScriptedUi ui;
    CEditorDlg dlg;
};

TEST_P(SetNewPicture, KeepsTheBitmapRulesAndFramesOtherPictures) {
    const SetPictureCase& c = GetParam();
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        ClickListRow(dlg, 3);
        WriteWholeFile(dir.File(c.fileName), c.content());
        ui.Answer(dir.File(c.fileName));
        const bool opened = WithNextModal(
            [&] { ClickButton(dlg, IDC_SET_PICTURE); },
            [](QWidget* importImage) { QTest::keyClick(importImage, Qt::Key_Return); });
        EXPECT_EQ(opened, c.opensImportImage);
        ASSERT_EQ(ui.choosers.size(), 1u);
        const std::string& filter = ui.choosers[0].filter;
        EXPECT_EQ(filter.rfind("Bitmaps (*.bmp)| *.bmp|Pictures (*.", 0), 0u) << filter;
        EXPECT_NE(filter.find("*.png"), std::string::npos) << filter;
        EXPECT_TRUE(filter.ends_with("|All files (*.*)|*.*||")) << filter;
        ASSERT_EQ(ui.messages.size(), c.warning.empty() ? 0u : 1u);
        if (!c.warning.empty()) {
            EXPECT_EQ(ui.messages[0].text, c.warning);
        }
        const ConstPackPicture picture = GetPicture(std::as_const(g_pack), 3);
        if (c.storedByte) {
            EXPECT_TRUE(std::all_of(picture.begin(), picture.end(),
                                    [&](std::uint8_t b) { return b == *c.storedByte; }));
        } else {
            EXPECT_FALSE(
                std::all_of(picture.begin(), picture.end(), [](std::uint8_t b) { return b == 0; }));
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Files, SetNewPicture, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return info.param.name; });

} // namespace
