#include "editor/editor_dlg.h"
#include "pack/pack_image.h"
#include "platform/menu.h"
#include "res/resource.h"
#include "tests/gui_support.h"
#include "tests/test_files.h"

#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

enum Button { kSave, kDiscard, kCancel };

// Public, so that the tables of steps below can drive the fixture.
class UnsavedChanges : public ::testing::Test {
public:
    void SetUp() override {
        ClearPackImage(g_pack);
        PackImage pack{};
        SetContactId(pack, 0, 42);
        WriteWholeFile(packPath, {pack.begin(), pack.end()});
        WriteWholeFile(shortPath, std::vector<std::uint8_t>(100, 1));
        SetContactId(pack, 0, 43);
        WriteWholeFile(otherPath, {pack.begin(), pack.end()});
    }
    QTableWidget* List() const { return ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST); }
    void Open(const std::string& path) {
        ui.Answer(path);
        ClickButton(dlg, IDC_OPEN_PACK);
    }
    void Key(int id, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        Control(dlg, id)->setFocus();
        QTest::keyClick(Control(dlg, id), key, modifiers);
    }

    TempDir dir;
    const std::string packPath = dir.File("a.bin");
    const std::string shortPath = dir.File("short.bin");
    const std::string otherPath = dir.File("other.bin");
    ScriptedUi ui;
    CEditorDlg dlg;
};

TEST_F(UnsavedChanges, ModifiedFollowsTheSavedBytes) {
    using Steps = std::function<void(UnsavedChanges&)>;
    const struct {
        const char* name;
        Steps steps;
        bool modified;
    } cases[] = {
        {"Start", [](UnsavedChanges&) {}, false},
        {"New", [](UnsavedChanges& t) { ClickButton(t.dlg, IDC_NEW_PACK); }, false},
        {"SetId",
         [](UnsavedChanges& t) {
             ClickButton(t.dlg, IDC_NEW_PACK);
             SetIdOfRow(t.dlg, 1, "5");
         },
         true},
        {"SetIdUndone",
         [](UnsavedChanges& t) {
             ClickButton(t.dlg, IDC_NEW_PACK);
             SetIdOfRow(t.dlg, 1, "5");
             t.Key(IDC_CONTACT_LIST, Qt::Key_Z, Qt::ControlModifier);
         },
         false},
        {"OpenRemoveSave",
         [](UnsavedChanges& t) {
             t.Open(t.packPath);
             ClickListRow(t.dlg, 0);
             ClickButton(t.dlg, IDC_REMOVE_CONTACT);
             t.ui.Answer(t.dir.File("saved.bin"));
             ClickButton(t.dlg, IDC_SAVE_PACK);
         },
         false},
        {"ShortRead", [](UnsavedChanges& t) { t.Open(t.shortPath); }, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunModal(dlg, [&] {
            c.steps(*this);
            EXPECT_EQ(dlg.IsModified(), c.modified);
            EXPECT_TRUE(ui.questions.empty());
            ui.AnswerQuestion(kDiscard);
        });
    }
}

// Each action is tried on a modified pack with each answer, and on a clean pack.
enum class Action { Close, New, Open };
enum class Reply { SaveChooserCancelled, SaveFails, SaveWorks, Discard, Cancel, Clean };

TEST_F(UnsavedChanges, TheQuestionGuardsCloseNewAndOpen) {
    const struct {
        Reply reply;
        bool goesOn;
    } replies[] = {{Reply::SaveChooserCancelled, false},
                   {Reply::SaveFails, false},
                   {Reply::SaveWorks, true},
                   {Reply::Discard, true},
                   {Reply::Cancel, false},
                   {Reply::Clean, true}};
    for (Action action : {Action::Close, Action::New, Action::Open}) {
        for (const auto& r : replies) {
            SCOPED_TRACE(testing::Message()
                         << "action " << int(action) << " reply " << int(r.reply));
            CEditorDlg editor;
            ScriptedUi script;
            RunModal(editor, [&] {
                // Every action changes this pack: New empties it, Open reads another one.
                script.Answer(packPath);
                ClickButton(editor, IDC_OPEN_PACK);
                if (r.reply != Reply::Clean) {
                    SetIdOfRow(editor, 3, "9");
                }
                const PackImage before = g_pack;
                const int answer = r.reply == Reply::Discard  ? kDiscard
                                   : r.reply == Reply::Cancel ? kCancel
                                                              : kSave;
                script.AnswerQuestion(answer);
                if (answer == kSave) {
                    script.Answer(r.reply == Reply::SaveChooserCancelled ? std::nullopt
                                  : r.reply == Reply::SaveFails          ? std::optional(dir.Path())
                                                                : std::optional(dir.File("s.bin")));
                }
                script.Answer(otherPath); // for the Open chooser, if it comes
                switch (action) {
                case Action::Close:
                    editor.Widget()->close();
                    break;
                case Action::New:
                    ClickButton(editor, IDC_NEW_PACK);
                    break;
                case Action::Open:
                    ClickButton(editor, IDC_OPEN_PACK);
                    break;
                }
                ASSERT_EQ(script.questions.size(), r.reply == Reply::Clean ? 0u : 1u);
                if (!script.questions.empty()) {
                    const Question& q = script.questions[0];
                    EXPECT_EQ(q.text, "The pack has unsaved changes. Save them?");
                    EXPECT_EQ(q.caption, GetAppTitle());
                    EXPECT_EQ(q.icon, MessageIcon::Question);
                    EXPECT_EQ(q.buttons, (std::vector<std::string>{"Save", "Discard", "Cancel"}));
                    EXPECT_EQ(q.defaultButton, kSave);
                    EXPECT_EQ(q.escapeButton, kCancel);
                }
                const bool closed = !editor.Widget()->isVisible();
                const bool changed = g_pack != before;
                EXPECT_EQ(action == Action::Close ? closed : changed, r.goesOn);
                if (action != Action::Close) {
                    EXPECT_FALSE(closed);
                }
                EXPECT_EQ(script.messages.size(), r.reply == Reply::SaveFails ? 1u : 0u);
                script.AnswerQuestion(kDiscard);
            });
        }
    }
}

TEST_F(UnsavedChanges, EveryWayOfClosingAsksAndCancelKeepsTheEditor) {
    const std::function<void(UnsavedChanges&)> ways[] = {
        [](UnsavedChanges& t) { t.dlg.Widget()->close(); },
        [](UnsavedChanges& t) { t.dlg.SendSysCommand(SC_CLOSE); },
        [](UnsavedChanges& t) { t.Key(IDC_CONTACT_LIST, Qt::Key_Q, Qt::ControlModifier); },
        [](UnsavedChanges& t) { t.Key(IDC_ID_EDIT, Qt::Key_Q, Qt::ControlModifier); },
    };
    for (std::size_t i = 0; i < std::size(ways); ++i) {
        SCOPED_TRACE(i);
        ui.questions.clear();
        bool keptOpen = false;
        bool closedOnDiscard = false;
        RunModal(dlg, [&] {
            ClickButton(dlg, IDC_NEW_PACK);
            SetIdOfRow(dlg, 0, "1");
            ways[i](*this); // Nothing queued: the question is escaped.
            keptOpen = dlg.Widget()->isVisible();
            ui.AnswerQuestion(kDiscard);
            ways[i](*this);
            closedOnDiscard = !dlg.Widget()->isVisible();
        });
        EXPECT_TRUE(keptOpen);
        EXPECT_TRUE(closedOnDiscard);
        EXPECT_EQ(ui.questions.size(), 2u);
    }
}

TEST_F(UnsavedChanges, ShortcutKeysReachTheirCommands) {
    RunModal(dlg, [&] {
        Key(IDC_SET_ID, Qt::Key_N, Qt::ControlModifier);
        ASSERT_EQ(List()->rowCount(), PACK_SLOT_COUNT);
        Key(IDC_CONTACT_LIST, Qt::Key_O, Qt::ControlModifier);
        Key(IDC_ID_EDIT, Qt::Key_S, Qt::ControlModifier);
        ASSERT_EQ(ui.choosers.size(), 2u);
        EXPECT_EQ(ui.choosers[0].mode, FileChooserMode::Open);
        EXPECT_EQ(ui.choosers[1].mode, FileChooserMode::Save);

        SetIdOfRow(dlg, 2, "77");
        Key(IDC_ID_EDIT, Qt::Key_Delete);
        EXPECT_EQ(GetContactId(g_pack, 2), 77) << "Delete in the ID box edits text";
        Key(IDC_CONTACT_LIST, Qt::Key_Delete);
        EXPECT_EQ(GetContactId(g_pack, 2), 0);
        EXPECT_EQ(List()->item(2, 0)->text(), "000");

        auto* idBox = ControlAs<QLineEdit>(dlg, IDC_ID_EDIT);
        idBox->setText("1234");
        Key(IDC_SAVE_PACK, Qt::Key_F2);
        EXPECT_TRUE(idBox->hasFocus());
        EXPECT_EQ(idBox->selectedText(), "1234");

        const std::pair<int, const char*> tips[] = {
            {IDC_OPEN_PACK, "Open Snapfold (Ctrl+O)"},
            {IDC_NEW_PACK, "New Snapfold (Ctrl+N)"},
            {IDC_SAVE_PACK, "Save Snapfold (Ctrl+S)"},
            {IDC_REMOVE_CONTACT, "Remove Contact (Delete)"}};
        for (const auto& [id, tip] : tips) {
            EXPECT_EQ(Control(dlg, id)->toolTip(), tip);
        }
        ui.AnswerQuestion(kDiscard);
    });
}

} // namespace
