#include "editor/editor_dlg.h"
#include "pack/pack_image.h"
#include "res/resource.h"
#include "tests/support/gui_support.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <QMouseEvent>

#include <algorithm>
#include <functional>

namespace {

class ContactList : public ::testing::Test {
protected:
    void SetUp() override { ClearPackImage(g_pack); }

    QTableWidget* List() const { return ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST); }
    QString IdText() const { return ControlAs<QLineEdit>(dlg, IDC_ID_EDIT)->text(); }

    void ClickRow(int row) { ClickListRow(dlg, row); }
    void ShowPack(const PackImage& pack) { ShowPackThroughOpen(dlg, ui, pack); }

    // The frame of the preview in dialog coordinates.
    QRect PreviewFrame() const { return Control(dlg, IDC_PREVIEW)->geometry(); }

    ScriptedUi ui;
    CEditorDlg dlg;
};

// A picture whose four columns of each byte are levels 3, 2, 1, 0: stripes of white, light
// grey, dark grey and black, one pixel wide.
void FillStripes(PackImage& pack, int slot) {
    auto picture = GetPicture(pack, slot);
    std::fill(picture.begin(), picture.end(), 0xE4);
}

// Every slot occupied, slot s holding 100 + s, so that each row tells which slot it is.
PackImage PackWithIdsFrom100() {
    PackImage pack{};
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        SetContactId(pack, slot, 100 + slot);
    }
    return pack;
}

TEST_F(ContactList, NewShowsTwentyFiveEmptySlotsUnderOneCentredColumn) {
    RunModal(dlg, [&] {
        g_pack.fill(0x77);
        ui.AnswerQuestion(1); // Discard what was changed behind the editor's back.
        ClickButton(dlg, IDC_NEW_PACK);
        QTableWidget* list = List();
        ASSERT_EQ(list->columnCount(), 1);
        EXPECT_TRUE(list->horizontalHeader()->isVisible());
        EXPECT_EQ(list->horizontalHeaderItem(0)->text(), "Contacts");
        EXPECT_EQ(list->horizontalHeaderItem(0)->textAlignment(), int(Qt::AlignCenter));
        EXPECT_EQ(list->columnWidth(0), list->viewport()->width());
        ASSERT_EQ(list->rowCount(), PACK_SLOT_COUNT);
        EXPECT_GE(list->rowHeight(0), PICTURE_HEIGHT);
        EXPECT_EQ(list->iconSize(), QSize(PICTURE_WIDTH, PICTURE_HEIGHT));
        for (int row = 0; row < PACK_SLOT_COUNT; ++row) {
            EXPECT_EQ(list->item(row, 0)->text(), "000");
            EXPECT_FALSE(list->item(row, 0)->icon().isNull());
        }
        EXPECT_EQ(list->item(4, 0)->data(Qt::AccessibleDescriptionRole).toString(),
                  "Slot 5 of 25, empty");
        EXPECT_TRUE(std::all_of(g_pack.begin(), g_pack.end(), [](auto b) { return b == 0; }));
        EXPECT_EQ(dlg.GetSelectedSlot(), -1);
        EXPECT_TRUE(list->selectedItems().isEmpty());
    });
}

TEST_F(ContactList, ClickingAnEmptySlotSelectsItWithIdZeroAndNoPreview) {
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        const QImage before = Grab(dlg);
        ClickRow(3);
        EXPECT_EQ(dlg.GetSelectedSlot(), 3);
        EXPECT_EQ(IdText(), "0");
        const QRect inside = PreviewFrame().adjusted(4, 10, -4, -4);
        const QImage after = Grab(dlg);
        EXPECT_EQ(after.copy(inside), before.copy(inside));
    });
}

TEST_F(ContactList, AnOccupiedSlotShowsItsIdThumbnailAndEnlargedPreview) {
    RunModal(dlg, [&] {
        PackImage pack{};
        SetContactId(pack, 0, 5);
        FillStripes(pack, 0);
        ShowPack(pack);
        QTableWidget* list = List();
        EXPECT_EQ(list->item(0, 0)->text(), "5");
        const QImage thumb = list->item(0, 0)
                                 ->icon()
                                 .pixmap(PICTURE_WIDTH, PICTURE_HEIGHT)
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(thumb.size(), QSize(PICTURE_WIDTH, PICTURE_HEIGHT));
        EXPECT_EQ(thumb.pixel(0, 0), qRgb(255, 255, 255));
        EXPECT_EQ(thumb.pixel(1, 0), qRgb(190, 190, 190));
        EXPECT_EQ(thumb.pixel(2, 49), qRgb(85, 85, 85));
        EXPECT_EQ(thumb.pixel(3, 49), qRgb(0, 0, 0));

        ClickRow(0);
        EXPECT_EQ(IdText(), "5");
        for (const auto& [column, grey] : {std::pair{0, 255}, {1, 190}, {2, 85}, {3, 0}}) {
            for (int y : {0, 25, PICTURE_HEIGHT - 1}) {
                EXPECT_EQ(PreviewPixel(dlg, column, y), qRgb(grey, grey, grey))
                    << column << "," << y;
            }
        }
    });
}

TEST_F(ContactList, IdentifiersShowSignedInListAndIdBox) {
    RunModal(dlg, [&] {
        PackImage pack{};
        SetContactId(pack, 1, -2);
        SetContactId(pack, 2, 32767);
        SetContactId(pack, 3, -32768);
        ShowPack(pack);
        const struct {
            int row;
            const char* text;
        } cases[] = {{1, "-2"}, {2, "32767"}, {3, "-32768"}};
        for (const auto& c : cases) {
            SCOPED_TRACE(c.text);
            EXPECT_EQ(List()->item(c.row, 0)->text(), c.text);
            ClickRow(c.row);
            EXPECT_EQ(IdText(), c.text);
        }
    });
}

TEST_F(ContactList, AnEmptySlotShowsThePlaceholderWhateverItsPictureBytes) {
    RunModal(dlg, [&] {
        PackImage pack{};
        FillStripes(pack, 6);
        SetContactId(pack, 7, 9);
        FillStripes(pack, 7);
        ShowPack(pack);
        EXPECT_EQ(List()->item(6, 0)->text(), "000");
        const auto image = [&](int row) {
            return List()->item(row, 0)->icon().pixmap(PICTURE_WIDTH, PICTURE_HEIGHT).toImage();
        };
        EXPECT_EQ(image(6), image(0)) << "slot 6 must show the placeholder";
        EXPECT_NE(image(6), image(7));
    });
}

TEST_F(ContactList, KeyboardAndRightClickMoveTheSelectionAndPreview) {
    RunModal(dlg, [&] {
        ShowPack(PackWithIdsFrom100());
        QTableWidget* list = List();
        list->setFocus();
        EXPECT_EQ(dlg.GetSelectedSlot(), -1) << "focus alone selects nothing";
        ClickRow(2);
        const struct {
            const char* name;
            Qt::Key key;
            int row;
        } keys[] = {{"Down", Qt::Key_Down, 3},
                    {"Up", Qt::Key_Up, 2},
                    {"End", Qt::Key_End, 24},
                    {"Home", Qt::Key_Home, 0},
                    {"PageDown", Qt::Key_PageDown, -1}};
        for (const auto& k : keys) {
            SCOPED_TRACE(k.name);
            QTest::keyClick(list, k.key);
            const int expected = k.row >= 0 ? k.row : list->currentRow();
            if (k.row < 0) {
                EXPECT_GT(expected, 0) << "Page Down moved nowhere";
            }
            EXPECT_EQ(dlg.GetSelectedSlot(), expected);
            EXPECT_EQ(IdText(), QString::number(100 + expected));
        }
        const QRect cell = list->visualItemRect(list->item(list->currentRow(), 0));
        list->scrollToItem(list->item(1, 0));
        QTest::mouseClick(list->viewport(), Qt::RightButton, {},
                          list->visualItemRect(list->item(1, 0)).center());
        EXPECT_FALSE(cell.isNull());
        EXPECT_EQ(dlg.GetSelectedSlot(), 1);
        EXPECT_EQ(IdText(), "101");
    });
}

// Once a row is selected, exactly one row stays highlighted and it is the one the slot
// commands change, whatever the user does with the mouse or keys.
TEST_F(ContactList, NoGestureLeavesTheSelectedSlotUnhighlighted) {
    RunModal(dlg, [&] {
        ShowPack(PackWithIdsFrom100());
        QTableWidget* list = List();
        QWidget* viewport = list->viewport();
        const auto onRow = [&] { return list->visualItemRect(list->item(1, 0)).center(); };
        const struct {
            const char* name;
            std::function<void()> gesture;
        } gestures[] = {
            {"CtrlClick",
             [&] { QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier, onRow()); }},
            {"CtrlSpace", [&] { QTest::keyClick(list, Qt::Key_Space, Qt::ControlModifier); }},
            {"ReleasedOutside",
             [&] {
                 const QPoint outside(viewport->width() + 30, onRow().y());
                 QTest::mousePress(viewport, Qt::LeftButton, {}, onRow());
                 QMouseEvent move(QEvent::MouseMove, outside, viewport->mapToGlobal(outside),
                                  Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
                 QApplication::sendEvent(viewport, &move);
                 QTest::mouseRelease(viewport, Qt::LeftButton, {}, outside);
             }},
        };
        for (const auto& g : gestures) {
            SCOPED_TRACE(g.name);
            ClickRow(1);
            g.gesture();
            const QModelIndexList rows = list->selectionModel()->selectedRows();
            ASSERT_EQ(rows.size(), 1);
            EXPECT_EQ(rows.first().row(), 1);
            EXPECT_EQ(dlg.GetSelectedSlot(), 1);
        }
        ClickButton(dlg, IDC_REMOVE_CONTACT);
        EXPECT_EQ(list->item(1, 0)->text(), "000");
        EXPECT_EQ(GetContactId(g_pack, 1), 0);
        EXPECT_EQ(list->item(1, 0)->data(Qt::AccessibleDescriptionRole).toString(),
                  "Slot 2 of 25, empty");
    });
}

// Every click on a row writes its identifier into the ID box, the selected row's too.
TEST_F(ContactList, ClickingTheSelectedRowAgainRewritesTheIdBox) {
    RunModal(dlg, [&] {
        PackImage pack{};
        SetContactId(pack, 3, 103);
        ShowPack(pack);
        ClickRow(3);
        ControlAs<QLineEdit>(dlg, IDC_ID_EDIT)->setText("junk");
        ClickRow(3);
        EXPECT_EQ(IdText(), "103");
    });
}

TEST_F(ContactList, ClickingBelowTheLastRowKeepsTheSelection) {
    RunModal(dlg, [&] {
        PackImage pack{};
        SetContactId(pack, 24, 77);
        ShowPack(pack);
        ClickRow(24);
        ASSERT_EQ(dlg.GetSelectedSlot(), 24);
        QTableWidget* list = List();
        // The list is made taller than its rows so that there is room below the last one.
        list->resize(list->width(), list->rowHeight(0) * (PACK_SLOT_COUNT + 2));
        list->scrollToTop();
        const QRect last = list->visualItemRect(list->item(24, 0));
        const QPoint below(last.center().x(), last.bottom() + 3);
        ASSERT_LT(below.y(), list->viewport()->height()) << "no room below the last row";
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
        EXPECT_EQ(dlg.GetSelectedSlot(), 24);
        EXPECT_EQ(IdText(), "77");
        EXPECT_EQ(list->currentRow(), 24);
        EXPECT_FALSE(list->selectedItems().isEmpty());
    });
}

TEST_F(ContactList, NewAfterASelectionClearsItWithoutTouchingTheIdBox) {
    RunModal(dlg, [&] {
        PackImage pack{};
        SetContactId(pack, 0, 42);
        FillStripes(pack, 0);
        ShowPack(pack);
        ClickRow(0);
        ASSERT_EQ(IdText(), "42");
        const QImage selected = Grab(dlg);
        ClickButton(dlg, IDC_NEW_PACK);
        EXPECT_EQ(dlg.GetSelectedSlot(), -1);
        EXPECT_TRUE(List()->selectedItems().isEmpty());
        EXPECT_EQ(IdText(), "42");
        QApplication::processEvents();
        const QRect inside = PreviewFrame().adjusted(4, 10, -4, -4);
        EXPECT_NE(Grab(dlg).copy(inside), selected.copy(inside)) << "the old preview lingers";
    });
}

} // namespace
