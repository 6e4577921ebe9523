#include "editor/editor_dlg.h"
#include "editor/import_image/import_image_dlg.h"
#include "pack/picture_export.h"
#include "res/resource.h"
#include "tests/support/gui_support.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct MenuEntry {
    QString text;
    bool enabled;
    QString keys;

    friend bool operator==(const MenuEntry&, const MenuEntry&) = default;
    friend std::ostream& operator<<(std::ostream& out, const MenuEntry& e) {
        return out << e.text.toStdString() << (e.enabled ? "" : " (off)") << " "
                   << e.keys.toStdString();
    }
};

std::vector<MenuEntry> Entries(QMenu* menu) {
    std::vector<MenuEntry> entries;
    for (QAction* a : menu->actions()) {
        entries.push_back(a->isSeparator()
                              ? MenuEntry{"-", true, {}}
                              : MenuEntry{a->text(), a->isEnabled(), a->shortcut().toString()});
    }
    return entries;
}

class PictureMenu : public ::testing::Test {
protected:
    void SetUp() override {
        ClearPackImage(g_pack);
        QGuiApplication::clipboard()->clear();
    }

    QTableWidget* List() const { return ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST); }

    // Presses the right button on row, as a user does, and returns what the menu then held,
    // choosing the entry named choose, if any.
    std::vector<MenuEntry> RightClickRow(int row, const QString& choose = {}) {
        std::vector<MenuEntry> entries;
        WithNextPopup([&](QMenu* menu) {
            entries = Entries(menu);
            ChooseFromMenu(menu, choose);
        });
        RightClickListRow(dlg, row);
        return entries;
    }

    std::vector<MenuEntry> MenuFromKeyboard() {
        List()->setFocus();
        std::vector<MenuEntry> entries;
        WithNextPopup([&](QMenu* menu) {
            entries = Entries(menu);
            menu->close();
        });
        QTest::keyClick(List(), Qt::Key_F10, Qt::ShiftModifier);
        return entries;
    }

    ScriptedUi ui;
    CEditorDlg dlg;
};

PackImage PackWithIds(std::initializer_list<std::pair<int, int>> slotIds) {
    PackImage pack{};
    for (const auto& [slot, id] : slotIds) {
        SetContactId(pack, slot, id);
    }
    return pack;
}

struct MenuCase {
    const char* name;
    PackImage pack;
    // The row right-clicked, or -1 for the keyboard's menu with no row selected.
    int row;
    bool clipboardImage;
    // Import, Paste, Copy, Export, Export All, Remove.
    std::array<bool, 6> enabled;
};

TEST_F(PictureMenu, HoldsTheCommandsInOrderEnabledAsTheSlotAndClipboardAllow) {
    const MenuCase cases[] = {
        {"nothing selected", PackWithIds({{3, 9}}), -1, true, {0, 0, 0, 0, 1, 0}},
        {"empty slot, empty pack", PackWithIds({}), 2, true, {1, 1, 0, 0, 0, 1}},
        {"empty slot, others occupied", PackWithIds({{3, 9}}), 2, false, {1, 0, 0, 0, 1, 1}},
        {"occupied slot, no image", PackWithIds({{3, 9}}), 3, false, {1, 0, 1, 1, 1, 1}},
        {"slot holding -1", PackWithIds({{0, -1}}), 0, true, {1, 1, 1, 1, 1, 1}},
    };
    for (const MenuCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.clipboardImage) {
            QImage image(4, 4, QImage::Format_RGB32);
            image.fill(Qt::gray);
            QGuiApplication::clipboard()->setImage(image);
        } else {
            QGuiApplication::clipboard()->setText("text only");
        }
        RunModal(dlg, [&] {
            ShowPackThroughOpen(dlg, ui, c.pack);
            const auto entries = c.row < 0 ? MenuFromKeyboard() : RightClickRow(c.row);
            const auto& on = c.enabled;
            const std::vector<MenuEntry> expected{
                {"Import Image...", on[0], "Ctrl+I"},
                {"Paste Picture", on[1], "Ctrl+V"},
                {"Copy Picture", on[2], "Ctrl+C"},
                {"Export Picture...", on[3], ""},
                {"Export All Pictures...", on[4], ""},
                {"-", true, ""},
                {"Remove Contact", on[5], "Del"},
                {"Move Up", c.row > 0, "Alt+Up"},
                {"Move Down", c.row >= 0 && c.row < PACK_SLOT_COUNT - 1, "Alt+Down"},
                {"-", true, ""},
                {"Show All Slots...", true, "Ctrl+G"},
                {"-", true, ""},
                {"Undo", false, "Ctrl+Z"},
                {"Redo", false, "Ctrl+Shift+Z"},
            };
            EXPECT_EQ(entries, expected);
        });
    }
}

TEST_F(PictureMenu, TheWindowMenuOffersExportAllOnlyWithAnOccupiedSlotAndAllSlotsAlways) {
    const std::pair<PackImage, bool> cases[] = {{PackWithIds({}), false},
                                                {PackWithIds({{24, 1}}), true}};
    for (const auto& c : cases) {
        const PackImage& pack = c.first;
        const bool enabled = c.second;
        SCOPED_TRACE(enabled);
        // A dialog of its own each time, as the window menu grows with every run of a dialog.
        CEditorDlg dlg;
        RunModal(dlg, [&] {
            ShowPackThroughOpen(dlg, ui, pack);
            std::vector<MenuEntry> entries;
            WithNextPopup([&](QMenu* menu) {
                entries = Entries(menu);
                menu->close();
            });
            Control(dlg, IDC_SAVE_PACK)->setFocus();
            QTest::keyClick(Control(dlg, IDC_SAVE_PACK), Qt::Key_F10, Qt::ShiftModifier);
            ASSERT_EQ(entries.size(), 5u);
            EXPECT_EQ(entries[1], (MenuEntry{"Export All Pictures...", enabled, ""}));
            EXPECT_EQ(entries[2], (MenuEntry{"Show All Slots...", true, "Ctrl+G"}));
        });
    }
}

TEST_F(PictureMenu, ARightClickSelectsItsRowAndKeepsTheIdBoxOnTheSelectedRow) {
    RunModal(dlg, [&] {
        ShowPackThroughOpen(dlg, ui, PackWithIds({{5, 55}, {6, 66}}));
        auto* idBox = ControlAs<QLineEdit>(dlg, IDC_ID_EDIT);
        RightClickRow(5);
        EXPECT_EQ(dlg.GetSelectedSlot(), 5);
        EXPECT_EQ(idBox->text(), "55");
        idBox->setText("1234");
        RightClickRow(5);
        EXPECT_EQ(idBox->text(), "1234");
        RightClickRow(6);
        EXPECT_EQ(dlg.GetSelectedSlot(), 6);
        EXPECT_EQ(idBox->text(), "66");
    });
}

TEST_F(PictureMenu, RemoveContactFromTheMenuEmptiesTheSlot) {
    RunModal(dlg, [&] {
        ShowPackThroughOpen(dlg, ui, PackWithIds({{8, 800}}));
        RightClickRow(8, "Remove Contact");
        EXPECT_EQ(GetContactId(g_pack, 8), 0);
        EXPECT_EQ(List()->item(8, 0)->text(), "000");
    });
}

TEST_F(PictureMenu, CopyAndPasteCarryAPictureFromOneSlotToAnother) {
    PackImage pack = PackWithIds({{1, 10}});
    auto picture = GetPicture(pack, 1);
    for (std::size_t i = 0; i < picture.size(); ++i) {
        picture[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    RunModal(dlg, [&] {
        ShowPackThroughOpen(dlg, ui, pack);
        ClickListRow(dlg, 1);
        QTest::keyClick(List(), Qt::Key_C, Qt::ControlModifier);
        const QImage copied =
            QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_Grayscale8);
        ASSERT_EQ(copied.size(), QSize(48, 50));
        const auto greys = PictureToGreys(GetPicture(std::as_const(g_pack), 1));
        for (int y = 0; y < 50; ++y) {
            ASSERT_TRUE(std::equal(greys.begin() + y * 48, greys.begin() + y * 48 + 48,
                                   copied.constScanLine(y)))
                << "row " << y;
        }

        // In the ID box, Ctrl+V pastes text; elsewhere it brings the image into the dialog.
        auto* idBox = ControlAs<QLineEdit>(dlg, IDC_ID_EDIT);
        ClickListRow(dlg, 2);
        idBox->setFocus();
        EXPECT_FALSE(WithNextModal([&] { QTest::keyClick(idBox, Qt::Key_V, Qt::ControlModifier); },
                                   [](QWidget* d) { d->close(); }));
        List()->setFocus();
        EXPECT_TRUE(WithNextModal([&] { QTest::keyClick(List(), Qt::Key_V, Qt::ControlModifier); },
                                  [](QWidget* d) { QTest::keyClick(d, Qt::Key_Return); }));
        EXPECT_TRUE(std::ranges::equal(GetPicture(std::as_const(g_pack), 2),
                                       GetPicture(std::as_const(g_pack), 1)));
    });
}

} // namespace
