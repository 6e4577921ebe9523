#include "editor/editor_dlg.h"
#include "pack/pack_image.h"
#include "res/resource.h"
#include "tests/support/gui_support.h"
#include "tests/support/test_files.h"
#include "ui/menu.h"
#include "ui/qt/widget.h"

#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

enum Button { kSave, kDiscard, kCancel };

class UnsavedChanges : public ::testing::Test {
protected:
    void SetUp() override {
        ClearPackImage(g_pack);
        PackImage pack{};
        SetContactId(pack, 2, 7);
        std::fill(GetPicture(pack, 2).begin(), GetPicture(pack, 2).end(), 0xE4);
        WriteWholeFile(packPath, {pack.begin(), pack.end()});
        WriteWholeFile(dir.File("short.bin"), {1, 2, 3});
        QImage bands(PICTURE_WIDTH, PICTURE_HEIGHT, QImage::Format_Indexed8);
        bands.setColorTable({qRgb(0, 0, 0), qRgb(85, 85, 85), qRgb(255, 255, 255)});
        for (int x = 0; x < PICTURE_WIDTH; ++x) {
            for (int y = 0; y < PICTURE_HEIGHT; ++y) {
                bands.setPixel(x, y, static_cast<uint>(x / 16));
            }
        }
        ASSERT_TRUE(bands.save(QString::fromStdString(dir.File("bands.bmp")), "BMP"));
    }
    QTableWidget* List() const { return ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST); }
    QLineEdit* IdBox() const { return ControlAs<QLineEdit>(dlg, IDC_ID_EDIT); }
    void Key(int id, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        Control(dlg, id)->setFocus();
        QTest::keyClick(Control(dlg, id), key, modifiers);
    }
    void Click(int button, std::optional<std::string> chosen = std::nullopt) {
        ui.Answer(std::move(chosen));
        ClickButton(dlg, button);
    }
    // One user step per letter, so that a table row reads as what the user did.
    void Do(char step) {
        switch (step) {
        case 'n':
            return ClickButton(dlg, IDC_NEW_PACK);
        case 'o':
            return Click(IDC_OPEN_PACK, packPath);
        case 'h':
            return Click(IDC_OPEN_PACK, dir.File("short.bin"));
        case 'm':
            return Click(IDC_OPEN_PACK, dir.File("missing.bin"));
        case 'c':
            return Click(IDC_OPEN_PACK);
        case 's':
            return Click(IDC_SAVE_PACK, dir.File("saved.bin"));
        case 'i':
            return SetIdOfRow(dlg, 4, "21");
        case 'r':
            ClickListRow(dlg, 2);
            return ClickButton(dlg, IDC_REMOVE_CONTACT);
        case 'p':
            ClickListRow(dlg, 3);
            return Click(IDC_SET_PICTURE, dir.File("bands.bmp"));
        case 'z':
            return Key(IDC_CONTACT_LIST, Qt::Key_Z);
        case 'y':
            return Key(IDC_CONTACT_LIST, Qt::Key_Y);
        case 'd':
            return ui.AnswerQuestion(kDiscard);
        }
        FAIL() << "no step " << step;
    }

    TempDir dir;
    const std::string packPath = dir.File("a.bin");
    ScriptedUi ui;
    CEditorDlg dlg;
};

TEST_F(UnsavedChanges, ModifiedStateAndHistoryFollowNewOpenAndSave) {
    const struct {
        const char* steps;
        bool modified, canUndo, canRedo;
    } cases[] = {
        {"", false, false, false},     {"n", false, false, false},  {"ni", true, true, false},
        {"niz", false, false, true},   {"nizy", true, true, false}, {"nizi", true, true, false},
        {"ors", false, true, false},   {"h", true, false, false},   {"nidn", false, false, false},
        {"nido", false, false, false}, {"nidc", true, true, false}, {"nidm", true, true, false},
        {"nidh", true, false, false},  {"orz", false, false, true}, {"opzy", true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        ui.Reset();
        RunModal(dlg, [&] {
            for (const char* step = c.steps; *step != 0; ++step) {
                Do(*step);
            }
            EXPECT_EQ(dlg.IsModified(), c.modified);
            EXPECT_EQ(dlg.CanUndo(), c.canUndo);
            EXPECT_EQ(dlg.CanRedo(), c.canRedo);
            // The one changed slot is the one bold row; saved bytes leave none.
            int boldRows = 0;
            for (int row = 0; row < List()->rowCount(); ++row) {
                boldRows += List()->item(row, 0)->font().bold() ? 1 : 0;
            }
            EXPECT_EQ(boldRows, c.modified && List()->rowCount() > 0 ? 1 : 0);
        });
    }
}

enum class Action { Close, New, Open };

TEST_F(UnsavedChanges, TheQuestionGuardsCloseNewAndOpen) {
    const struct {
        const char* name;
        int answer; // -1: the pack is clean and nothing may be asked
        std::optional<std::string> saveAs;
        bool goesOn;
    } replies[] = {{"SaveChooserCancelled", kSave, std::nullopt, false},
                   {"SaveFails", kSave, dir.Path(), false},
                   {"SaveWorks", kSave, dir.File("s.bin"), true},
                   {"Discard", kDiscard, std::nullopt, true},
                   {"Cancel", kCancel, std::nullopt, false},
                   {"Clean", -1, std::nullopt, true}};
    for (Action action : {Action::Close, Action::New, Action::Open}) {
        for (const auto& r : replies) {
            SCOPED_TRACE(testing::Message() << int(action) << r.name);
            ui.Reset();
            RunModal(dlg, [&] {
                Do('o'); // Every action changes this pack: New empties it, Open reads another.
                if (r.answer >= 0) {
                    Do('i');
                    ui.AnswerQuestion(r.answer);
                }
                const PackImage before = g_pack;
                if (r.answer == kSave) {
                    ui.Answer(r.saveAs);
                }
                if (action == Action::Close) {
                    WidgetOf(dlg)->close();
                } else {
                    WriteWholeFile(dir.File("b.bin"), std::vector<std::uint8_t>(PACK_FILE_SIZE, 1));
                    Click(action == Action::New ? IDC_NEW_PACK : IDC_OPEN_PACK, dir.File("b.bin"));
                }
                EXPECT_EQ(action == Action::Close ? !WidgetOf(dlg)->isVisible() : g_pack != before,
                          r.goesOn);
                EXPECT_EQ(ui.messages.size(), r.name == std::string("SaveFails") ? 1u : 0u);
                ASSERT_EQ(ui.questions.size(), r.answer >= 0 ? 1u : 0u);
            });
            if (r.answer >= 0) {
                const Question& q = ui.questions[0];
                EXPECT_EQ(q.text, "The pack has unsaved changes. Save them?");
                EXPECT_EQ(q.caption, GetAppTitle());
                EXPECT_EQ(q.icon, MessageIcon::Question);
                EXPECT_EQ(q.buttons, (std::vector<std::string>{"Save", "Discard", "Cancel"}));
                EXPECT_EQ(q.defaultButton, kSave);
                EXPECT_EQ(q.escapeButton, kCancel);
            }
        }
    }
}

TEST_F(UnsavedChanges, EveryWayOfClosingAsksAndEscapeKeepsTheEditor) {
    const std::function<void()> ways[] = {
        [&] { WidgetOf(dlg)->close(); },
        [&] { dlg.SendSysCommand(SC_CLOSE); },
        [&] { Key(IDC_CONTACT_LIST, Qt::Key_Q); },
        [&] { Key(IDC_ID_EDIT, Qt::Key_Q); },
    };
    for (const auto& close : ways) {
        ui.Reset();
        bool keptOpen = false;
        bool closedOnDiscard = false;
        RunModal(dlg, [&] {
            Do('n');
            Do('i');
            close(); // Nothing queued: the question is escaped.
            keptOpen = WidgetOf(dlg)->isVisible();
            Do('d');
            close();
            closedOnDiscard = !WidgetOf(dlg)->isVisible();
        });
        EXPECT_TRUE(keptOpen);
        EXPECT_TRUE(closedOnDiscard);
        EXPECT_EQ(ui.questions.size(), 2u);
    }
}

TEST_F(UnsavedChanges, ShortcutKeysReachTheirCommandsOutsideTheIdBox) {
    RunModal(dlg, [&] {
        Key(IDC_SET_ID, Qt::Key_N);
        ASSERT_EQ(List()->rowCount(), PACK_SLOT_COUNT);
        Key(IDC_CONTACT_LIST, Qt::Key_O);
        Key(IDC_ID_EDIT, Qt::Key_S);
        ASSERT_EQ(ui.choosers.size(), 2u);
        EXPECT_EQ(ui.choosers[0].mode, FileChooserMode::Open);
        EXPECT_EQ(ui.choosers[1].mode, FileChooserMode::Save);

        SetIdOfRow(dlg, 2, "77");
        Key(IDC_ID_EDIT, Qt::Key_Delete, Qt::NoModifier);
        Key(IDC_ID_EDIT, Qt::Key_Z);
        EXPECT_EQ(GetContactId(g_pack, 2), 77) << "the ID box keeps Delete and Ctrl+Z";
        Key(IDC_CONTACT_LIST, Qt::Key_Delete, Qt::NoModifier);
        EXPECT_EQ(List()->item(2, 0)->text(), "000");
        Key(IDC_SAVE_PACK, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(GetContactId(g_pack, 2), 0) << "nothing to redo";

        IdBox()->setText("1234");
        Key(IDC_SAVE_PACK, Qt::Key_F2, Qt::NoModifier);
        EXPECT_TRUE(IdBox()->hasFocus());
        EXPECT_EQ(IdBox()->selectedText(), "1234");
        const std::pair<int, const char*> tips[] = {
            {IDC_OPEN_PACK, "Open Snapfold (Ctrl+O)"},
            {IDC_NEW_PACK, "New Snapfold (Ctrl+N)"},
            {IDC_SAVE_PACK, "Save Snapfold (Ctrl+S)"},
            {IDC_REMOVE_CONTACT, "Remove Contact (Delete)"}};
        for (const auto& [id, tip] : tips) {
            EXPECT_EQ(Control(dlg, id)->toolTip(), tip);
        }
    });
}

// Everything a slot shows: its bytes, its row, and what clicking the row puts in the ID box.
struct SlotView {
    std::vector<std::uint8_t> id, picture;
    QString text, idBox;
    QImage thumbnail;
    bool operator==(const SlotView&) const = default;
};

TEST_F(UnsavedChanges, UndoAndRedoBringBackEachSlotAsItWasShown) {
    const auto view = [&](int slot) {
        ClickListRow(dlg, slot == 0 ? 1 : 0);
        ClickListRow(dlg, slot);
        const std::uint8_t* bytes = g_pack.data();
        const QTableWidgetItem* item = List()->item(slot, 0);
        return SlotView{{bytes + 2 * slot, bytes + 2 * slot + 2},
                        {bytes + 50 + 600 * slot, bytes + 650 + 600 * slot},
                        item->text(),
                        IdBox()->text(),
                        item->icon().pixmap(PICTURE_WIDTH, PICTURE_HEIGHT).toImage()};
    };
    // Slot 2 holds identifier 7 and a picture, slot 3 is empty.
    const struct {
        const char* name;
        int slot;
        std::function<void()> command;
    } cases[] = {
        {"SetIdZeroOnOccupied", 2, [&] { SetIdOfRow(dlg, 2, "0"); }},
        {"SetIdZeroOnEmptyShowsZero", 3, [&] { SetIdOfRow(dlg, 3, "0"); }},
        {"SetPictureOnEmpty", 3, [&] { Do('p'); }},
        {"Remove", 2, [&] { Do('r'); }},
    };
    RunModal(dlg, [&] {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            Do('d');
            Do('o');
            const SlotView before = view(c.slot);
            c.command();
            const SlotView after = view(c.slot);
            ASSERT_NE(after, before);
            for (const SlotView* shown : {&before, &after, &before}) {
                ClickListRow(dlg, 0);
                Do(shown == &after ? 'y' : 'z');
                EXPECT_EQ(dlg.GetSelectedSlot(), c.slot);
                EXPECT_EQ(List()->currentRow(), c.slot);
                EXPECT_EQ(IdBox()->text(), shown->idBox);
                EXPECT_EQ(view(c.slot), *shown);
            }
        }
    });
}

} // namespace
