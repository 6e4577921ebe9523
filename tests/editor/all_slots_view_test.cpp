// The All Slots window as a view of a document alone: no editor window behind it, only a fake
// host that records what the window asks of it.
#include "editor/all_slots_dlg.h"
#include "editor/pack_document.h"
#include "tests/support/gui_support.h"
#include "ui/qt/widget.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

class FakeHost final : public AllSlotsHost {
public:
    bool ShowsSlots() const override { return showsSlots; }
    void SelectSlot(int slot) override { selected.push_back(slot); }
    void ImportFileIntoSlot(int slot, const std::string& path) override {
        imports.emplace_back(slot, path);
    }

    bool showsSlots = true;
    std::vector<int> selected;
    std::vector<std::pair<int, std::string>> imports;
};

// Slot s holds identifier 10 + s, except the empty slot 4.
PackImage StartPack() {
    PackImage pack{};
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        SetContactId(pack, slot, slot == 4 ? 0 : 10 + slot);
        GetPicture(pack, slot)[0] = static_cast<std::uint8_t>(slot);
    }
    return pack;
}

std::vector<QWidget*> Cells(QWidget* dialog) {
    std::vector<QWidget*> cells;
    for (QWidget* child : dialog->findChildren<QWidget*>()) {
        if (child->accessibleName().startsWith("Slot ")) {
            cells.push_back(child);
        }
    }
    return cells;
}

QString NameOf(QWidget* dialog, int cell) {
    return Cells(dialog)[static_cast<std::size_t>(cell)]->accessibleName();
}

QWidget* Grid(QWidget* dialog) {
    return Cells(dialog).front()->parentWidget();
}

QPoint CellCentre(QWidget* dialog, int cell) {
    return Cells(dialog)[static_cast<std::size_t>(cell)]->geometry().center();
}

void DragCell(QWidget* dialog, int from, int onto) {
    QWidget* grid = Grid(dialog);
    const QPoint start = CellCentre(dialog, from);
    const QPoint end = CellCentre(dialog, onto);
    QTest::mousePress(grid, Qt::LeftButton, {}, start);
    for (const QPoint at : {(start + end) / 2, end}) {
        QMouseEvent move(QEvent::MouseMove, at, grid->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(grid, &move);
    }
    QTest::mouseRelease(grid, Qt::LeftButton, {}, end);
}

class AllSlotsView : public ::testing::Test {
protected:
    // Runs body with the window up on the document, then closes it; gives the chosen slot.
    int Run(const std::function<void(QWidget*)>& body) {
        CAllSlotsDlg allSlots(document, host, 2, nullptr);
        RunModal(allSlots, [&] { body(WidgetOf(allSlots)); });
        return allSlots.GetChosenSlot();
    }

    PackImage pack = StartPack();
    PackDocument document{pack};
    FakeHost host;
};

TEST_F(AllSlotsView, ADragSwapsInTheDocumentAndSelectsTheSlotsInTheHost) {
    Run([&](QWidget* dialog) {
        DragCell(dialog, 0, 4);
        EXPECT_EQ(document.Id(4), 10);
        EXPECT_EQ(document.Id(0), 0);
        EXPECT_EQ(host.selected, (std::vector<int>{0, 4})) << "the slot moved to ends selected";
        EXPECT_EQ(NameOf(dialog, 4), "Slot 5, ID 10");
        EXPECT_EQ(NameOf(dialog, 0), "Slot 1, empty");

        host.selected.clear();
        QTest::keyClick(Grid(dialog), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(pack == StartPack());
        EXPECT_EQ(host.selected, (std::vector<int>{4, 0})) << "the slot moved from ends selected";
        EXPECT_EQ(NameOf(dialog, 0), "Slot 1, ID 10");
        QTest::keyClick(Grid(dialog), Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(document.Id(4), 10);
    });
}

TEST_F(AllSlotsView, ChangesNothingWhileTheHostShowsNoSlots) {
    host.showsSlots = false;
    Run([&](QWidget* dialog) { DragCell(dialog, 0, 4); });
    EXPECT_TRUE(pack == StartPack());
    EXPECT_FALSE(document.CanUndo());
    EXPECT_TRUE(host.selected.empty());
}

TEST_F(AllSlotsView, ShowsAChangeMadeElsewhereAndMarksIt) {
    Run([&](QWidget* dialog) {
        document.SetId(7, 777);
        EXPECT_EQ(NameOf(dialog, 7), "Slot 8, ID 777");
        // Saving changes only the cell's mark, its caption's weight.
        const QImage marked = Cells(dialog)[7]->grab().toImage();
        document.MarkSaved();
        EXPECT_NE(Cells(dialog)[7]->grab().toImage(), marked);
    });
    document.SetId(7, 5);
    EXPECT_EQ(document.Id(7), 5) << "the closed window no longer listens";
}

TEST_F(AllSlotsView, AFileDroppedOnACellAsksTheHostToImportIt) {
    Run([&](QWidget* dialog) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile("/nowhere/face.png")});
        const QPoint at = Grid(dialog)->mapTo(dialog, CellCentre(dialog, 3));
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dialog, &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dialog, &drop);
        QApplication::processEvents();
    });
    EXPECT_EQ(host.imports, (std::vector<std::pair<int, std::string>>{{3, "/nowhere/face.png"}}));
    EXPECT_TRUE(pack == StartPack()) << "the host imports; the window itself changes nothing";
}

TEST_F(AllSlotsView, EnterChoosesTheSlotItStartedOn) {
    const int chosen = Run([&](QWidget* dialog) { QTest::keyClick(Grid(dialog), Qt::Key_Return); });
    EXPECT_EQ(chosen, 2);
    EXPECT_TRUE(host.selected.empty()) << "the opener selects the chosen slot itself";
}

} // namespace
