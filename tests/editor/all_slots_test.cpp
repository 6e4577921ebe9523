// The All Slots window through its real widgets: its cells, choosing a slot, dragging one onto
// another, dropping a picture, and saving the contact sheet.
#include "editor/editor_dlg.h"
#include "pack/pack_image.h"
#include "res/resource.h"
#include "tests/support/cli_runner.h"
#include "tests/support/gui_support.h"
#include "tests/support/test_files.h"
#include "ui/qt/widget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QTableWidget>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// Slot s holds identifier 100 + s and a picture of its own; slots 2 and 24 are empty.
PackImage StartPack() {
    PackImage pack{};
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        SetContactId(pack, slot, slot == 2 || slot == 24 ? 0 : 100 + slot);
        for (std::size_t i = 0; i < PICTURE_BYTES; ++i) {
            GetPicture(pack, slot)[i] = static_cast<std::uint8_t>(i * (slot + 3));
        }
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

std::vector<QString> Names(QWidget* dialog) {
    std::vector<QString> names;
    for (QWidget* cell : Cells(dialog)) {
        names.push_back(cell->accessibleName());
    }
    return names;
}

QString NameOf(const PackImage& pack, int slot) {
    const int id = GetContactId(pack, slot);
    return id == 0 ? QString("Slot %1, empty").arg(slot + 1)
                   : QString("Slot %1, ID %2").arg(slot + 1).arg(id);
}

std::vector<QString> NamesOf(const PackImage& pack) {
    std::vector<QString> names;
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        names.push_back(NameOf(pack, slot));
    }
    return names;
}

// A point in the middle of a cell, in the grid's coordinates.
QPoint CellCentre(QWidget* dialog, int cell) {
    return Cells(dialog)[static_cast<std::size_t>(cell)]->geometry().center();
}

QWidget* Grid(QWidget* dialog) {
    return Cells(dialog).front()->parentWidget();
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

class AllSlots : public ::testing::Test {
protected:
    void SetUp() override { ClearPackImage(g_pack); }
    // Opens the pack, selects slot 1 and runs inspect on the All Slots window, opened by its
    // shortcut in the list.
    // then runs in the editor once the window has closed.
    void WithAllSlots(const std::function<void(QWidget*)>& inspect,
                      const std::function<void()>& then = {}) {
        RunModal(dlg, [&] {
            ShowPackThroughOpen(dlg, ui, StartPack());
            ClickListRow(dlg, 0);
            QWidget* list = Control(dlg, IDC_CONTACT_LIST);
            const bool opened =
                WithNextModal([&] { QTest::keyClick(list, Qt::Key_G, Qt::ControlModifier); },
                              [&](QWidget* dialog) {
                                  EXPECT_EQ(dialog->windowTitle(), "All Slots");
                                  inspect(dialog);
                                  if (dialog->isVisible()) {
                                      QTest::keyClick(Grid(dialog), Qt::Key_Escape);
                                  }
                              });
            EXPECT_TRUE(opened);
            EXPECT_EQ(QApplication::activeModalWidget(), WidgetOf(dlg));
            if (then) {
                then();
            }
        });
    }

    ScriptedUi ui;
    CEditorDlg dlg;
};

TEST_F(AllSlots, NamesEveryCellInSlotOrder) {
    WithAllSlots([](QWidget* dialog) { EXPECT_EQ(Names(dialog), NamesOf(StartPack())); });
}

TEST_F(AllSlots, ADoubleClickOrEnterChoosesTheSlotAndOtherWaysOutDoNot) {
    const struct {
        const char* name;
        std::function<void(QWidget*)> act;
        int selected;
    } cases[] = {
        {"DoubleClick",
         [](QWidget* d) { QTest::mouseDClick(Grid(d), Qt::LeftButton, {}, CellCentre(d, 7)); }, 7},
        {"ArrowsThenEnter",
         [](QWidget* d) {
             for (const Qt::Key key :
                  {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Return}) {
                 QTest::keyClick(Grid(d), key);
             }
         },
         6},
        {"ClickThenEscape",
         [](QWidget* d) {
             QTest::mouseClick(Grid(d), Qt::LeftButton, {}, CellCentre(d, 12));
             QTest::keyClick(Grid(d), Qt::Key_Escape);
         },
         0},
        {"ClickThenClose",
         [](QWidget* d) {
             QTest::mouseClick(Grid(d), Qt::LeftButton, {}, CellCentre(d, 20));
             for (auto* button : d->findChildren<QAbstractButton*>()) {
                 if (button->text() == "Close") {
                     QTest::mouseClick(button, Qt::LeftButton);
                 }
             }
         },
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WithAllSlots(
            [&](QWidget* dialog) {
                c.act(dialog);
                EXPECT_FALSE(dialog->isVisible());
            },
            [&] {
                EXPECT_EQ(dlg.GetSelectedSlot(), c.selected);
                EXPECT_EQ(ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST)->currentRow(), c.selected);
                EXPECT_EQ(ControlAs<QLineEdit>(dlg, IDC_ID_EDIT)->text(),
                          QString::number(100 + c.selected));
            });
    }
}

TEST_F(AllSlots, ADragSwapsTheSlotsAndUndoBringsThemBack) {
    PackImage swapped = StartPack();
    std::swap_ranges(swapped.begin(), swapped.begin() + 2, swapped.begin() + 2 * 6);
    std::swap_ranges(GetPicture(swapped, 0).begin(), GetPicture(swapped, 0).end(),
                     GetPicture(swapped, 6).begin());
    WithAllSlots(
        [&](QWidget* dialog) {
            DragCell(dialog, 0, 6);
            EXPECT_TRUE(g_pack == swapped);
            EXPECT_EQ(Names(dialog), NamesOf(swapped));
            EXPECT_EQ(dlg.GetSelectedSlot(), 6);
            EXPECT_TRUE(ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST)->item(6, 0)->font().bold());
            QTest::keyClick(Grid(dialog), Qt::Key_Z, Qt::ControlModifier);
            EXPECT_TRUE(g_pack == StartPack());
            EXPECT_EQ(Names(dialog), NamesOf(StartPack()));
            QTest::keyClick(Grid(dialog), Qt::Key_Y, Qt::ControlModifier);
            EXPECT_TRUE(g_pack == swapped);
        },
        // The same step is the editor's: undone there too.
        [&] {
            QTest::keyClick(Control(dlg, IDC_CONTACT_LIST), Qt::Key_Z, Qt::ControlModifier);
            EXPECT_TRUE(g_pack == StartPack());
            EXPECT_FALSE(dlg.IsModified());
        });
}

TEST_F(AllSlots, AnImageDroppedOnACellIsImportedIntoThatSlot) {
    TempDir dir;
    const std::string png = dir.File("grey.png");
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    ASSERT_TRUE(picture.save(QString::fromStdString(png), "PNG"));
    WithAllSlots([&](QWidget* dialog) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(png))});
        const QPoint at = Grid(dialog)->mapTo(dialog, CellCentre(dialog, 3));
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dialog, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QString title;
        EXPECT_TRUE(WithNextModal(
            [&] {
                QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
                QApplication::sendEvent(dialog, &drop);
                QApplication::processEvents();
            },
            [&](QWidget* import) {
                title = import->windowTitle();
                QTest::keyClick(import, Qt::Key_Return);
            }));
        EXPECT_EQ(title, "Import Image");
        EXPECT_EQ(dlg.GetSelectedSlot(), 3);
    });
    // A flat middle grey is stored as one level in every byte: nothing like slot 4's own bytes.
    const auto stored = GetPicture(std::as_const(g_pack), 3);
    EXPECT_TRUE(std::all_of(stored.begin(), stored.end(), [&](auto b) { return b == stored[0]; }));
}

// The whole window stays on a small laptop screen, at either scale, and an unscaled screen
// shows every picture at least twice its size.
TEST_F(AllSlots, FitsA1280x800Screen) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen->geometry().size() * screen->devicePixelRatio() != QSize(1280, 800)) {
        GTEST_SKIP() << "needs a screen of 1280x800 device pixels";
    }
    WithAllSlots([&](QWidget* dialog) {
        EXPECT_TRUE(screen->availableGeometry().contains(dialog->frameGeometry()))
            << dialog->frameGeometry().width() << "x" << dialog->frameGeometry().height();
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            EXPECT_TRUE(dialog->rect().contains(button->geometry()))
                << button->text().toStdString();
        }
        const double devicePixels = Cells(dialog).front()->width() * dialog->devicePixelRatioF();
        EXPECT_GE(devicePixels, (screen->devicePixelRatio() > 1 ? 1 : 2) * PICTURE_WIDTH);
    });
}

TEST_F(AllSlots, SaveSheetGivesTheSamePixelsAsTheCommandLine) {
    TempDir dir;
    WithAllSlots(
        [&](QWidget* dialog) {
            ui.Answer(dir.File("sheet"));
            for (auto* button : dialog->findChildren<QAbstractButton*>()) {
                if (button->text() == "Save Sheet...") {
                    QTest::mouseClick(button, Qt::LeftButton);
                }
            }
            EXPECT_TRUE(ui.messages.empty());
        },
        [&] {
            WriteWholeFile(dir.File("pack.bin"), {g_pack.begin(), g_pack.end()});
        });
    const CliRun run = RunCli(SNAPFOLD_CLI, dir.Path(), {"sheet", "pack.bin", "-o", "cli.png"}, "");
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage saved(QString::fromStdString(dir.File("sheet.png")));
    const QImage printed(QString::fromStdString(dir.File("cli.png")));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), printed.size());
    EXPECT_EQ(saved, printed);
}

} // namespace
