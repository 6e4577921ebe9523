#include "editor/editor_dlg.h"
#include "pack/pack_image.h"
#include "res/resource.h"
#include "tests/support/gui_support.h"
#include "tests/support/test_files.h"
#include "ui/qt/widget.h"

#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>

namespace {

using Palette = std::vector<std::array<std::uint8_t, 3>>; // blue, green, red

// A 48x50 bottom-up bitmap file at 8 bits per pixel; index(x, y) counts y from the top.
std::vector<std::uint8_t> Bitmap8(const Palette& palette, const std::function<int(int, int)>& index,
                                  int width = 48) {
    std::vector<std::uint8_t> file;
    const auto put = [&](std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            file.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
        }
    };
    const int stride = (width + 3) / 4 * 4;
    const auto tableBytes = static_cast<std::uint32_t>(4 * palette.size());
    const std::uint32_t pixelStart = 54 + tableBytes;
    file = {'B', 'M'};
    put(pixelStart + static_cast<std::uint32_t>(stride * 50), 4);
    put(0, 4);
    put(pixelStart, 4);
    put(40, 4), put(static_cast<std::uint32_t>(width), 4), put(50, 4), put(1, 2), put(8, 2);
    put(0, 4), put(0, 4), put(0, 4), put(0, 4);
    put(static_cast<std::uint32_t>(palette.size()), 4), put(0, 4);
    EXPECT_EQ(file.size(), 54u);
    for (const auto& c : palette) {
        file.insert(file.end(), {c[0], c[1], c[2], 0});
    }
    for (int y = 49; y >= 0; --y) {
        for (int x = 0; x < stride; ++x) {
            file.push_back(static_cast<std::uint8_t>(x < width ? index(x, y) : 0));
        }
    }
    return file;
}

class SlotCommands : public ::testing::Test {
protected:
    void SetUp() override { ClearPackImage(g_pack); }

    QTableWidget* List() const { return ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST); }
    QLineEdit* IdBox() const { return ControlAs<QLineEdit>(dlg, IDC_ID_EDIT); }
    QString RowText(int row) const { return List()->item(row, 0)->text(); }

    void ClickRow(int row) {
        ClickListRow(dlg, row);
        ASSERT_EQ(dlg.GetSelectedSlot(), row);
    }
    void TypeId(const QString& text) {
        QTest::mouseClick(IdBox(), Qt::LeftButton);
        IdBox()->clear();
        QTest::keyClicks(IdBox(), text);
    }
    void SetPicture(const std::vector<std::uint8_t>& file) {
        const std::string path = dir.File("picture.bmp");
        WriteWholeFile(path, file);
        ui.Answer(path);
        ClickButton(dlg, IDC_SET_PICTURE);
    }
    void SaveAndReopen() {
        ui.Answer(dir.File("pack.bin"));
        ClickButton(dlg, IDC_SAVE_PACK);
        ui.Answer(dir.File("pack.bin"));
        ClickButton(dlg, IDC_OPEN_PACK);
    }
    QImage Thumbnail(int row) const {
        return List()
            ->item(row, 0)
            ->icon()
            .pixmap(PICTURE_WIDTH, PICTURE_HEIGHT)
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    // The preview's pixel showing picture pixel (x, y).
    QRgb PreviewPixel(int x, int y) const { return ::PreviewPixel(dlg, x, y); }

    TempDir dir;
    ScriptedUi ui;
    CEditorDlg dlg;
};

TEST_F(SlotCommands, SetIdStoresSixteenBitsAndShowsThemSigned) {
    const struct {
        const char* typed;
        std::uint8_t low, high;
        const char* shown;
    } cases[] = {{"-1", 0xFF, 0xFF, "-1"},       {"40000", 0x40, 0x9C, "-25536"},
                 {"260", 0x04, 0x01, "260"},     {" +7 ", 0x07, 0x00, "7"},
                 {"32767", 0xFF, 0x7F, "32767"}, {"0", 0x00, 0x00, "0"}};
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        ClickRow(2);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.typed);
            TypeId(c.typed);
            ClickButton(dlg, IDC_SET_ID);
            EXPECT_EQ(g_pack[4], c.low);
            EXPECT_EQ(g_pack[5], c.high);
            EXPECT_EQ(RowText(2), c.shown);
            EXPECT_EQ(IdBox()->text(), c.shown);
            ClickRow(1);
            ClickRow(2);
            EXPECT_EQ(IdBox()->text(), c.shown) << "clicking the row shows it the same way";
        }
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_TRUE(std::all_of(g_pack.begin() + 6, g_pack.end(), [](auto b) { return b == 0; }));
    });
}

// The number pad's Enter arrives with the keypad modifier and must do what Enter does.
TEST_F(SlotCommands, EnterInTheIdBoxSetsTheId) {
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        for (const auto& [row, modifier] :
             {std::pair{0, Qt::NoModifier}, std::pair{1, Qt::KeypadModifier}}) {
            ClickRow(row);
            TypeId("513");
            QTest::keyClick(IdBox(), modifier == Qt::NoModifier ? Qt::Key_Return : Qt::Key_Enter,
                            modifier);
            EXPECT_EQ(GetContactId(g_pack, row), 513) << "modifier " << modifier;
            EXPECT_EQ(RowText(row), "513");
            EXPECT_EQ(List()->item(row, 0)->data(Qt::AccessibleDescriptionRole).toString(),
                      QString("Slot %1 of 25").arg(row + 1));
        }
        EXPECT_TRUE(WidgetOf(dlg)->isVisible());
    });
}

TEST_F(SlotCommands, AnIdOutsideTheRangeIsRefusedAndChangesNothing) {
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        ClickRow(3);
        TypeId("12");
        ClickButton(dlg, IDC_SET_ID);
        const PackImage before = g_pack;
        for (const char* typed : {"65836", "abc", "", "65536", "-32769", "4294967294"}) {
            SCOPED_TRACE(typed);
            ui.messages.clear();
            TypeId(typed);
            ClickButton(dlg, IDC_SET_ID);
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text, "ID must be a number from -32768 to 65535");
            EXPECT_EQ(ui.messages[0].caption, "SnapfoldEditor");
            EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
            EXPECT_EQ(g_pack, before);
            EXPECT_EQ(RowText(3), "12");
            EXPECT_EQ(IdBox()->text(), typed);
        }
    });
}

TEST_F(SlotCommands, WithoutASelectionTheCommandsDoNothing) {
    RunModal(dlg, [&] {
        for (bool afterNew : {false, true}) {
            if (afterNew) {
                ClickButton(dlg, IDC_NEW_PACK);
            }
            TypeId("5");
            ui.Answer(dir.File("never-read.bmp"));
            for (int id : {IDC_SET_ID, IDC_SET_PICTURE, IDC_REMOVE_CONTACT}) {
                ClickButton(dlg, id);
            }
            EXPECT_TRUE(ui.messages.empty());
            EXPECT_TRUE(ui.choosers.empty());
            EXPECT_TRUE(std::all_of(g_pack.begin(), g_pack.end(), [](auto b) { return b == 0; }));
        }
    });
}

// Red, green and blue palette entries: only blue counts, so they store levels 0, 0 and 3.
TEST_F(SlotCommands, ANewPictureIsStoredAndShownInTheFourGreys) {
    const Palette rgb = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}};
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        ClickRow(1);
        SetPicture(Bitmap8(rgb, [](int x, int) { return x % 3; }));
        EXPECT_TRUE(ui.messages.empty());
        const auto picture = GetPicture(g_pack, 1);
        // Pixels 0..3 are red, green, blue, red: levels 0, 0, 3, 0.
        EXPECT_EQ(picture[0], 0x0C);
        EXPECT_EQ(GetContactId(g_pack, 1), 0) << "a picture does not change the identifier";
        EXPECT_EQ(RowText(1), "000");
        const QImage thumb = Thumbnail(1);
        EXPECT_EQ(thumb.pixel(0, 0), qRgb(0, 0, 0));
        EXPECT_EQ(thumb.pixel(1, 0), qRgb(0, 0, 0));
        EXPECT_EQ(thumb.pixel(2, 0), qRgb(255, 255, 255));
        QApplication::processEvents();
        EXPECT_EQ(PreviewPixel(0, 10), qRgb(0, 0, 0));
        EXPECT_EQ(PreviewPixel(1, 10), qRgb(0, 0, 0));
        EXPECT_EQ(PreviewPixel(2, 10), qRgb(255, 255, 255));
    });
}

TEST_F(SlotCommands, ARefusedBitmapLeavesTheSlotAsItWas) {
    const Palette grey = {{190, 190, 190}};
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        ClickRow(0);
        const QImage before = Thumbnail(0);
        SetPicture(Bitmap8(
            grey, [](int, int) { return 0; }, 50));
        ui.Answer(dir.File("missing.bmp"));
        ClickButton(dlg, IDC_SET_PICTURE);
        ASSERT_EQ(ui.messages.size(), 2u);
        EXPECT_EQ(ui.messages[0].text, "Bitmap must be 48x50 max 8bpp");
        EXPECT_EQ(ui.messages[1].text, "The bitmap file cannot be read!");
        for (const RecordedMessage& m : ui.messages) {
            EXPECT_EQ(m.icon, MessageIcon::Warning);
            EXPECT_EQ(m.caption, "SnapfoldEditor");
        }
        EXPECT_TRUE(std::all_of(g_pack.begin(), g_pack.end(), [](auto b) { return b == 0; }));
        EXPECT_EQ(Thumbnail(0), before);
    });
}

TEST_F(SlotCommands, APictureShowsAfterReopeningOnlyWithANonZeroId) {
    const Palette levels = {{0, 0, 0}, {85, 85, 85}, {190, 190, 190}, {255, 255, 255}};
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        const QImage placeholder = Thumbnail(0);
        ClickRow(5);
        SetPicture(Bitmap8(levels, [](int x, int) { return x % 4; }));
        ClickRow(6);
        SetPicture(Bitmap8(levels, [](int x, int) { return x % 4; }));
        TypeId("-6");
        ClickButton(dlg, IDC_SET_ID);
        SaveAndReopen();
        EXPECT_EQ(RowText(5), "000");
        EXPECT_EQ(Thumbnail(5), placeholder);
        EXPECT_EQ(RowText(6), "-6");
        EXPECT_EQ(Thumbnail(6).pixel(1, 0), qRgb(85, 85, 85));
        EXPECT_EQ(Thumbnail(6).pixel(2, 0), qRgb(190, 190, 190));
        ClickRow(6);
        EXPECT_EQ(IdBox()->text(), "-6");
        EXPECT_EQ(PreviewPixel(3, 25), qRgb(255, 255, 255));
        EXPECT_EQ(PreviewPixel(2, 25), qRgb(190, 190, 190));
    });
}

TEST_F(SlotCommands, RemoveContactEmptiesTheSlotButKeepsItsPictureBytes) {
    PackImage pack{};
    SetContactId(pack, 4, 99);
    std::fill(GetPicture(pack, 4).begin(), GetPicture(pack, 4).end(), 0x6C);
    WriteWholeFile(dir.File("in.bin"), {pack.begin(), pack.end()});
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        const QImage placeholder = Thumbnail(0);
        ui.Answer(dir.File("in.bin"));
        ClickButton(dlg, IDC_OPEN_PACK);
        ClickRow(4);
        ClickButton(dlg, IDC_REMOVE_CONTACT);
        EXPECT_EQ(RowText(4), "000");
        EXPECT_EQ(Thumbnail(4), placeholder);
        ClickRow(3);
        ClickRow(4);
        EXPECT_EQ(IdBox()->text(), "0");
        // An identifier set again does not bring the thumbnail back until the pack is reshown.
        TypeId("0");
        ClickButton(dlg, IDC_SET_ID);
        EXPECT_EQ(RowText(4), "0");
        EXPECT_EQ(Thumbnail(4), placeholder);
        ui.Answer(dir.File("out.bin"));
        ClickButton(dlg, IDC_SAVE_PACK);
    });
    SetContactId(pack, 4, 0);
    EXPECT_EQ(ReadWholeFile(dir.File("out.bin")),
              std::vector<std::uint8_t>(pack.begin(), pack.end()));
}

// From the user's side: a new pack, one slot given a picture and an identifier, saved and
// opened again.
TEST_F(SlotCommands, ASlotKeepsItsPictureAndIdThroughSaveAndOpen) {
    const Palette levels = {{0, 0, 0}, {85, 85, 85}, {190, 190, 190}, {255, 255, 255}};
    const auto index = [](int x, int y) { return (x / 12 + y / 25) % 4; };
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        ClickRow(12);
        SetPicture(Bitmap8(levels, index));
        TypeId("1234");
        QTest::keyClick(IdBox(), Qt::Key_Return);
        const QImage shown = Thumbnail(12);
        SaveAndReopen();
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(RowText(12), "1234");
        EXPECT_EQ(Thumbnail(12), shown);
        ClickRow(12);
        EXPECT_EQ(IdBox()->text(), "1234");
        for (int y : {0, 30}) {
            for (int x : {0, 13, 30, 46}) {
                const int grey = std::array{0, 85, 190, 255}[static_cast<std::size_t>(index(x, y))];
                EXPECT_EQ(PreviewPixel(x, y), qRgb(grey, grey, grey)) << x << "," << y;
            }
        }
    });
}

} // namespace
