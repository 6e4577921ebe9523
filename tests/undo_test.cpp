#include "editor/editor_dlg.h"
#include "pack/pack_image.h"
#include "res/resource.h"
#include "tests/gui_support.h"
#include "tests/test_files.h"

#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Everything a slot shows: its bytes, its row and what clicking the row puts in the ID box.
struct SlotView {
    std::vector<std::uint8_t> id, picture;
    QString text, idBox;
    QImage thumbnail;
    bool operator==(const SlotView&) const = default;
};

// Public, so that the tables of steps below can drive the fixture.
class Undo : public ::testing::Test {
public:
    void SetUp() override {
        ClearPackImage(g_pack);
        PackImage pack{};
        SetContactId(pack, kOccupied, 7);
        std::fill(GetPicture(pack, kOccupied).begin(), GetPicture(pack, kOccupied).end(), 0xE4);
        WriteWholeFile(packPath, {pack.begin(), pack.end()});
        QImage bands(PICTURE_WIDTH, PICTURE_HEIGHT, QImage::Format_Indexed8);
        bands.setColorTable({qRgb(0, 0, 0), qRgb(85, 85, 85), qRgb(190, 190, 190)});
        for (int y = 0; y < PICTURE_HEIGHT; ++y) {
            for (int x = 0; x < PICTURE_WIDTH; ++x) {
                bands.setPixel(x, y, static_cast<uint>(x / 16));
            }
        }
        ASSERT_TRUE(bands.save(QString::fromStdString(bmpPath), "BMP"));
    }
    QTableWidget* List() const { return ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST); }
    QString IdBox() const { return ControlAs<QLineEdit>(dlg, IDC_ID_EDIT)->text(); }
    bool Bold(int row) const { return List()->item(row, 0)->font().bold(); }
    void Key(int id, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        Control(dlg, id)->setFocus();
        QTest::keyClick(Control(dlg, id), key, modifiers);
    }
    void OpenPack() {
        ui.AnswerQuestion(1); // Discard, should the pack be modified.
        ui.Answer(packPath);
        ClickButton(dlg, IDC_OPEN_PACK);
    }
    SlotView View(int slot) {
        ClickListRow(dlg, slot == 0 ? 1 : 0);
        ClickListRow(dlg, slot);
        const auto* bytes = g_pack.data();
        return {{bytes + 2 * slot, bytes + 2 * slot + 2},
                {bytes + 50 + 600 * slot, bytes + 650 + 600 * slot},
                List()->item(slot, 0)->text(),
                IdBox(),
                List()->item(slot, 0)->icon().pixmap(PICTURE_WIDTH, PICTURE_HEIGHT).toImage()};
    }

    static constexpr int kOccupied = 2, kEmpty = 3;
    TempDir dir;
    const std::string packPath = dir.File("a.bin");
    const std::string bmpPath = dir.File("bands.bmp");
    ScriptedUi ui;
    CEditorDlg dlg;
};

TEST_F(Undo, EverySlotCommandIsUndoneAndRedoneWithItsView) {
    using Command = std::function<void(Undo&, int)>;
    const Command setId = [](Undo& t, int slot) { SetIdOfRow(t.dlg, slot, "0"); };
    const Command setPicture = [](Undo& t, int) {
        t.ui.Answer(t.bmpPath);
        ClickButton(t.dlg, IDC_SET_PICTURE);
    };
    const Command remove = [](Undo&, int) {};
    const struct {
        const char* name;
        int slot;
        Command command;
        int button;
    } cases[] = {
        {"SetIdZeroOnOccupied", kOccupied, setId, 0},
        {"SetIdZeroOnEmptyShowsZero", kEmpty, setId, 0},
        {"SetPictureOnEmpty", kEmpty, setPicture, 0},
        {"SetPictureOnOccupied", kOccupied, setPicture, 0},
        {"Remove", kOccupied, remove, IDC_REMOVE_CONTACT},
    };
    RunModal(dlg, [&] {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            OpenPack();
            const SlotView before = View(c.slot);
            c.command(*this, c.slot);
            if (c.button != 0) {
                ClickButton(dlg, c.button);
            }
            const SlotView after = View(c.slot);
            ASSERT_NE(after, before);
            // Only other bytes are marked: "Set new ID" of 0 on an empty slot changes the text.
            const bool marked = after.id != before.id || after.picture != before.picture;
            EXPECT_EQ(Bold(c.slot), marked);
            const std::pair<Qt::Key, Qt::KeyboardModifiers> redoKeys[] = {
                {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
                {Qt::Key_Y, Qt::ControlModifier}};
            for (const auto& [key, modifiers] : redoKeys) {
                ClickListRow(dlg, 0);
                Key(IDC_SAVE_PACK, Qt::Key_Z);
                EXPECT_EQ(dlg.GetSelectedSlot(), c.slot);
                EXPECT_EQ(List()->currentRow(), c.slot);
                EXPECT_EQ(IdBox(), before.idBox);
                EXPECT_FALSE(Bold(c.slot)) << "back to the saved bytes";
                EXPECT_FALSE(dlg.IsModified());
                EXPECT_EQ(View(c.slot), before);
                Key(IDC_CONTACT_LIST, key, modifiers);
                EXPECT_EQ(IdBox(), after.idBox);
                EXPECT_EQ(View(c.slot), after);
                EXPECT_EQ(Bold(c.slot), marked);
            }
        }
        ui.AnswerQuestion(1);
    });
}

TEST_F(Undo, ANewChangeDropsRedoAndTheIdBoxKeepsItsOwnUndo) {
    RunModal(dlg, [&] {
        OpenPack();
        SetIdOfRow(dlg, 5, "11");
        SetIdOfRow(dlg, 5, "12");
        Key(IDC_ID_EDIT, Qt::Key_Z);
        EXPECT_EQ(GetContactId(g_pack, 5), 12) << "Ctrl+Z in the ID box undoes text only";
        Key(IDC_CONTACT_LIST, Qt::Key_Z);
        EXPECT_EQ(GetContactId(g_pack, 5), 11);
        SetIdOfRow(dlg, 6, "13");
        EXPECT_FALSE(dlg.CanRedo());
        Key(IDC_CONTACT_LIST, Qt::Key_Y);
        EXPECT_EQ(GetContactId(g_pack, 5), 11);
        Key(IDC_CONTACT_LIST, Qt::Key_Z);
        Key(IDC_CONTACT_LIST, Qt::Key_Z);
        EXPECT_EQ(GetContactId(g_pack, 5), 0);
        EXPECT_FALSE(dlg.CanUndo());
        ui.AnswerQuestion(1);
    });
}

TEST_F(Undo, NewAndAnOpenThatClearsForgetTheStepsOthersKeepThem) {
    const struct {
        const char* name;
        std::function<void(Undo&)> action;
        bool keeps;
    } cases[] = {
        {"New", [](Undo& t) { ClickButton(t.dlg, IDC_NEW_PACK); }, false},
        {"Open", [](Undo& t) { t.OpenPack(); }, false},
        {"ShortRead",
         [](Undo& t) {
             WriteWholeFile(t.dir.File("short.bin"), {1, 2, 3});
             t.ui.AnswerQuestion(1);
             t.ui.Answer(t.dir.File("short.bin"));
             ClickButton(t.dlg, IDC_OPEN_PACK);
         },
         false},
        {"OpenCancelled", [](Undo& t) { ClickButton(t.dlg, IDC_OPEN_PACK); }, true},
        {"OpenRefused",
         [](Undo& t) {
             t.ui.AnswerQuestion(1);
             t.ui.Answer(t.dir.File("missing.bin"));
             ClickButton(t.dlg, IDC_OPEN_PACK);
         },
         true},
        {"Save",
         [](Undo& t) {
             t.ui.Answer(t.dir.File("saved.bin"));
             ClickButton(t.dlg, IDC_SAVE_PACK);
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunModal(dlg, [&] {
            OpenPack();
            SetIdOfRow(dlg, 4, "21");
            ui.AnswerQuestion(1);
            c.action(*this);
            EXPECT_EQ(dlg.CanUndo(), c.keeps);
            if (c.name == std::string("Save")) {
                EXPECT_FALSE(Bold(4)) << "saving clears the marks";
            }
            ui.AnswerQuestion(1);
        });
    }
}

} // namespace
