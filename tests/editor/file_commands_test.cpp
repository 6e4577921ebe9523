#include "base/safe_save.h"
#include "editor/editor_dlg.h"
#include "pack/pack_image.h"
#include "res/resource.h"
#include "tests/support/gui_support.h"
#include "tests/support/test_files.h"
#include "ui/qt/ui_services.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QSortFilterProxyModel>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

constexpr char kPackFilter[] = "Tessaly packs (*.bin)| *.bin|All files (*.*)|*.*||";

std::vector<std::uint8_t> RandomPack(unsigned seed, std::size_t size = PACK_FILE_SIZE) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes(size);
    std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<std::uint8_t>(random()); });
    return bytes;
}

class FileCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ClearPackImage(g_pack);
        g_packLoaded = false;
    }

    QTableWidget* List() const { return ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST); }

    void Open(const std::string& path) {
        ui.Answer(path);
        ClickButton(dlg, IDC_OPEN_PACK);
    }
    void Save(const std::string& path) {
        ui.Answer(path);
        ClickButton(dlg, IDC_SAVE_PACK);
    }

    TempDir dir;
    ScriptedUi ui;
    CEditorDlg dlg;
};

TEST_F(FileCommands, BothChoosersUseThePackFilterAndCancelDoesNothing) {
    RunModal(dlg, [&] {
        g_pack[7] = 9;
        ui.AnswerQuestion(1); // Discard the change, so that the chooser comes up.
        ClickButton(dlg, IDC_OPEN_PACK);
        ClickButton(dlg, IDC_SAVE_PACK);
        ASSERT_EQ(ui.choosers.size(), 2u);
        EXPECT_EQ(ui.choosers[0].mode, FileChooserMode::Open);
        EXPECT_EQ(ui.choosers[1].mode, FileChooserMode::Save);
        EXPECT_EQ(ui.choosers[0].filter, kPackFilter);
        EXPECT_EQ(ui.choosers[1].filter, kPackFilter);
        EXPECT_EQ(g_pack[7], 9);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_TRUE(dir.Entries().empty());
    });
}

TEST_F(FileCommands, OpenThenSaveUnderAnotherNameIsByteIdentical) {
    const auto original = RandomPack(1);
    WriteWholeFile(dir.File("a.bin"), original);
    RunModal(dlg, [&] {
        Open(dir.File("a.bin"));
        EXPECT_TRUE(g_packLoaded);
        EXPECT_EQ(List()->rowCount(), PACK_SLOT_COUNT);
        Save(dir.File("b"));
        EXPECT_TRUE(ui.messages.empty());
    });
    EXPECT_EQ(ReadWholeFile(dir.File("b")), original);
}

TEST_F(FileCommands, AShortFileIsReportedAndLeavesItsBytesWithAnEmptyList) {
    auto shortFile = RandomPack(2, 100);
    WriteWholeFile(dir.File("short.bin"), shortFile);
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        Open(dir.File("short.bin"));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "Not all data can be read!");
        EXPECT_EQ(ui.messages[0].caption, "Error");
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::None);
        EXPECT_FALSE(g_packLoaded);
        EXPECT_EQ(List()->rowCount(), 0);
        EXPECT_EQ(List()->columnCount(), 0);
        Save(dir.File("padded.bin"));
    });
    shortFile.resize(PACK_FILE_SIZE, 0);
    EXPECT_EQ(ReadWholeFile(dir.File("padded.bin")), shortFile);
}

TEST_F(FileCommands, ALongerFileGivesItsFirstBytesWithoutAMessage) {
    const auto longer = RandomPack(3, PACK_FILE_SIZE + 1);
    WriteWholeFile(dir.File("long.bin"), longer);
    RunModal(dlg, [&] {
        Open(dir.File("long.bin"));
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_TRUE(g_packLoaded);
        EXPECT_EQ(List()->rowCount(), PACK_SLOT_COUNT);
        EXPECT_TRUE(std::equal(g_pack.begin(), g_pack.end(), longer.begin()));
    });
}

TEST_F(FileCommands, APathThatCannotBeOpenedIsReportedAndChangesNothing) {
    const std::string cases[] = {dir.File("missing.bin"), dir.Path()};
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        SetContactId(g_pack, 4, 1234);
        g_packLoaded = true;
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                          List()->visualItemRect(List()->item(1, 0)).center());
        const PackImage before = g_pack;
        for (const std::string& path : cases) {
            SCOPED_TRACE(path);
            ui.messages.clear();
            ui.AnswerQuestion(1); // Discard the identifier set behind the editor's back.
            Open(path);
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text, "The file cannot be opened!");
            EXPECT_EQ(ui.messages[0].caption, "Error");
            EXPECT_EQ(g_pack, before);
            EXPECT_TRUE(g_packLoaded);
            EXPECT_EQ(List()->rowCount(), PACK_SLOT_COUNT);
            EXPECT_EQ(dlg.GetSelectedSlot(), 1);
        }
    });
}

// A pack the editor never opened is replaced unasked; a file of another length is asked about
// (tests/editor/save_conflict_test.cpp).
TEST_F(FileCommands, SaveReplacesAnExistingFileWithoutAQuestion) {
    WriteWholeFile(dir.File("old.bin"), RandomPack(4, PACK_FILE_SIZE));
    RunModal(dlg, [&] { Save(dir.File("old.bin")); });
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(ReadWholeFile(dir.File("old.bin")), std::vector<std::uint8_t>(PACK_FILE_SIZE, 0));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"old.bin"});
}

TEST_F(FileCommands, AFailedSaveIsReportedAndLeavesNothingBehind) {
    RunModal(dlg, [&] {
        Save(dir.File("no-such-folder/x.bin"));
        Save(dir.Path());
    });
    ASSERT_EQ(ui.messages.size(), 2u);
    for (const RecordedMessage& m : ui.messages) {
        EXPECT_EQ(m.text, "The file cannot be saved!");
        EXPECT_EQ(m.caption, "Error");
        EXPECT_EQ(m.icon, MessageIcon::None);
    }
    EXPECT_TRUE(dir.Entries().empty());
}

// A medium that gives back other bytes than it was given fails the save as a full disk would,
// and the pack on it keeps its old bytes.
TEST_F(FileCommands, ASaveThatReadsBackOtherBytesFailsAndKeepsTheOldFile) {
    const std::vector<std::uint8_t> old(PACK_FILE_SIZE, 0x42);
    WriteWholeFile(dir.File("old.bin"), old);
    SetReadBackFilterForTesting([](std::vector<std::uint8_t>& back) { back[60] ^= 1; });
    RunModal(dlg, [&] { Save(dir.File("old.bin")); });
    SetReadBackFilterForTesting(nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "The file cannot be saved!");
    EXPECT_EQ(ReadWholeFile(dir.File("old.bin")), old);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"old.bin"});
}

// The byte-level round trip of many packs is the pack file tests' job; through the window a
// few show that the view neither changes nor loses a byte on the way.
TEST_F(FileCommands, RandomPacksSurviveOpenAndSave) {
    RunModal(dlg, [&] {
        for (unsigned seed = 0; seed < 5; ++seed) {
            const auto bytes = RandomPack(seed);
            WriteWholeFile(dir.File("in.bin"), bytes);
            Open(dir.File("in.bin"));
            Save(dir.File("out.bin"));
            ASSERT_EQ(ReadWholeFile(dir.File("out.bin")), bytes) << "seed " << seed;
        }
        EXPECT_TRUE(ui.messages.empty());
    });
}

// The real chooser, configured as the commands configure it, lists a file without an
// extension under "All files (*.*)" and hides it under the pack filter.
TEST(FileChooser, AFileWithoutExtensionShowsUnderAllFiles) {
    TempDir dir;
    WriteWholeFile(dir.File("noext"), {1});
    WriteWholeFile(dir.File("pack.bin"), {1});
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    ConfigureFileDialog(dialog, FileChooserMode::Open, kPackFilter);
    dialog.setDirectory(QString::fromStdString(dir.Path()));
    const QStringList filters = dialog.nameFilters();
    ASSERT_EQ(filters.size(), 2);
    dialog.show();

    // The chooser filters in the background: wait until it lists what it should.
    const auto listsExactly = [&](const QString& filter, QStringList expected) {
        dialog.selectNameFilter(filter);
        auto* view = dialog.findChild<QAbstractItemView*>("listView");
        QStringList names;
        const bool settled = QTest::qWaitFor([&] {
            names.clear();
            for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r) {
                names << view->model()->index(r, 0, view->rootIndex()).data().toString();
            }
            names.sort();
            return names == expected;
        });
        EXPECT_TRUE(settled) << "lists " << names.join(", ").toStdString();
    };
    listsExactly(filters[1], {"noext", "pack.bin"});
    listsExactly(filters[0], {"pack.bin"});
    // With details hidden the labels read exactly as given.
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(types->itemText(0), "Tessaly packs (*.bin)");
    EXPECT_EQ(types->itemText(1), "All files (*.*)");
}

TEST(FileChooser, EachModeAsksWhatItsCommandNeeds) {
    struct Case {
        FileChooserMode mode;
        QFileDialog::AcceptMode accept;
        QFileDialog::FileMode files;
        bool asksBeforeReplacing;
    };
    const Case cases[] = {
        {FileChooserMode::Open, QFileDialog::AcceptOpen, QFileDialog::AnyFile, false},
        {FileChooserMode::Save, QFileDialog::AcceptSave, QFileDialog::AnyFile, false},
        {FileChooserMode::SaveAskingToReplace, QFileDialog::AcceptSave, QFileDialog::AnyFile, true},
        {FileChooserMode::Folder, QFileDialog::AcceptOpen, QFileDialog::Directory, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        QFileDialog dialog;
        ConfigureFileDialog(dialog, c.mode, "PNG images (*.png)|*.png||");
        EXPECT_EQ(dialog.acceptMode(), c.accept);
        EXPECT_EQ(dialog.fileMode(), c.files);
        if (c.accept == QFileDialog::AcceptSave) {
            EXPECT_EQ(!dialog.testOption(QFileDialog::DontConfirmOverwrite), c.asksBeforeReplacing);
        }
        EXPECT_TRUE(dialog.defaultSuffix().isEmpty());
    }
}

} // namespace
