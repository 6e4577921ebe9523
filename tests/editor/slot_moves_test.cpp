// Moving slots in the editor: Move Up, Move Down and dragging a row onto another swap two
// slots whole, as one step that undo takes back and redo brings back.
#include "editor/editor_dlg.h"
#include "pack/pack_image.h"
#include "res/resource.h"
#include "tests/support/gui_support.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// Slot s holds identifier 100 + s and a picture of its own, except slots 2 and 24, which are
// empty but keep picture bytes.
PackImage StartPack() {
    PackImage pack{};
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        SetContactId(pack, slot, slot == 2 || slot == 24 ? 0 : 100 + slot);
        std::fill(GetPicture(pack, slot).begin(), GetPicture(pack, slot).end(),
                  static_cast<std::uint8_t>(0x1B * (slot + 1)));
    }
    return pack;
}

// What a row shows: its text, whether it is marked changed, and its thumbnail.
struct RowView {
    QString text;
    bool bold = false;
    QImage thumbnail;
    bool operator==(const RowView&) const = default;
};

struct MoveCase {
    const char* name;
    int selected;
    // The row a drag ends on; -1 for the keys.
    int dragOnto;
    Qt::Key key;
    // The slot that changes places with the selected one, or -1 when nothing may change.
    int other;
};

class SlotMoves : public ::testing::TestWithParam<MoveCase> {
protected:
    QTableWidget* List() const { return ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST); }
    QLineEdit* IdBox() const { return ControlAs<QLineEdit>(dlg, IDC_ID_EDIT); }
    RowView Row(int slot) const {
        const QTableWidgetItem* item = List()->item(slot, 0);
        return {item->text(), item->font().bold(),
                item->icon().pixmap(PICTURE_WIDTH, PICTURE_HEIGHT).toImage()};
    }
    void ListKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
        List()->setFocus();
        QTest::keyClick(List(), key, modifiers);
    }
    // Presses on one row and lets go on another, as a user drags.
    void DragRow(int from, int onto) {
        QWidget* viewport = List()->viewport();
        const QPoint start = List()->visualItemRect(List()->item(from, 0)).center();
        const QPoint end = List()->visualItemRect(List()->item(onto, 0)).center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        for (const QPoint at : {start + QPoint(0, (end.y() - start.y()) / 2), end}) {
            QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &move);
        }
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, end);
    }
    // Everything both slots show, and which slot is selected with what in the ID box.
    struct Shown {
        PackImage pack;
        RowView a, b;
        int selected;
        QString idBox;
        bool operator==(const Shown&) const = default;
    };
    Shown Now(int a, int b) const {
        return {g_pack, Row(a), Row(b), dlg.GetSelectedSlot(), IdBox()->text()};
    }

    ScriptedUi ui;
    CEditorDlg dlg;
};

TEST_P(SlotMoves, SwapsBothSlotsAsOneStep) {
    const MoveCase& c = GetParam();
    RunModal(dlg, [&] {
        ShowPackThroughOpen(dlg, ui, StartPack());
        ClickListRow(dlg, c.selected);
        const int other = c.other < 0 ? c.selected : c.other;
        const Shown before = Now(c.selected, other);
        if (c.dragOnto >= 0) {
            DragRow(c.selected, c.dragOnto);
        } else {
            ListKey(c.key, Qt::AltModifier);
        }
        const Shown after = Now(c.selected, other);
        if (c.other < 0) {
            EXPECT_EQ(after, before);
            EXPECT_FALSE(dlg.CanUndo());
            return;
        }
        // The two slots trade everything; the moved one stays selected at its new place.
        PackImage swapped = before.pack;
        std::swap_ranges(swapped.begin() + 2 * c.selected, swapped.begin() + 2 * c.selected + 2,
                         swapped.begin() + 2 * other);
        std::swap_ranges(GetPicture(swapped, c.selected).begin(),
                         GetPicture(swapped, c.selected).end(), GetPicture(swapped, other).begin());
        EXPECT_TRUE(after.pack == swapped);
        EXPECT_EQ(after.a.text, before.b.text);
        EXPECT_EQ(after.b.text, before.a.text);
        EXPECT_EQ(after.a.thumbnail, before.b.thumbnail);
        EXPECT_EQ(after.b.thumbnail, before.a.thumbnail);
        EXPECT_TRUE(after.a.bold && after.b.bold) << "both slots differ from the saved pack";
        EXPECT_EQ(after.selected, other);
        EXPECT_EQ(List()->currentRow(), other);
        EXPECT_EQ(after.idBox, QString::number(GetContactId(before.pack, c.selected)));
        ListKey(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Now(c.selected, other), before);
        ListKey(Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(Now(c.selected, other), after);
        ListKey(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(Now(c.selected, other), before);
        EXPECT_FALSE(dlg.IsModified());
    });
}

INSTANTIATE_TEST_SUITE_P(
    Editor, SlotMoves,
    ::testing::Values(MoveCase{"MoveUpFromTheMiddle", 5, -1, Qt::Key_Up, 4},
                      MoveCase{"MoveDownFromTheFirst", 0, -1, Qt::Key_Down, 1},
                      MoveCase{"MoveUpFromTheLast", 24, -1, Qt::Key_Up, 23},
                      MoveCase{"MoveDownOntoAnEmptySlot", 1, -1, Qt::Key_Down, 2},
                      MoveCase{"MoveAnEmptySlotUp", 2, -1, Qt::Key_Up, 1},
                      MoveCase{"MoveUpOnTheFirstDoesNothing", 0, -1, Qt::Key_Up, -1},
                      MoveCase{"MoveDownOnTheLastDoesNothing", 24, -1, Qt::Key_Down, -1},
                      MoveCase{"DragOntoTheRowBelow", 10, 11, Qt::Key_unknown, 11},
                      MoveCase{"DragAnEmptySlotOntoTheRowAbove", 2, 1, Qt::Key_unknown, 1},
                      MoveCase{"DragOntoItselfDoesNothing", 7, 7, Qt::Key_unknown, -1}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
