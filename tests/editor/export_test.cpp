#include "editor/editor_dlg.h"
#include "editor/export_path.h"
#include "pack/picture_export.h"
#include "res/resource.h"
#include "tests/support/gui_support.h"
#include "tests/support/test_files.h"
#include "ui/qt/widget.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(ExportPath, TheExtensionDecidesAndOtherwiseTheFilterDoes) {
    struct Case {
        const char* typed;
        ExportFormat filter;
        const char* path;
        ExportFormat format;
    };
    const Case cases[] = {
        {"/d/a.png", ExportFormat::Bmp, "/d/a.png", ExportFormat::Png},
        {"/d/a.BMP", ExportFormat::Png, "/d/a.BMP", ExportFormat::Bmp},
        {"/d/a.Png", ExportFormat::Png, "/d/a.Png", ExportFormat::Png},
        {"/d/a", ExportFormat::Png, "/d/a.png", ExportFormat::Png},
        {"/d/a", ExportFormat::Bmp, "/d/a.bmp", ExportFormat::Bmp},
        {"/d/a.jpg", ExportFormat::Png, "/d/a.jpg.png", ExportFormat::Png},
        {"/d/a.bmp.txt", ExportFormat::Bmp, "/d/a.bmp.txt.bmp", ExportFormat::Bmp},
        {"/d.png/a", ExportFormat::Bmp, "/d.png/a.bmp", ExportFormat::Bmp},
        {"/d/.png", ExportFormat::Bmp, "/d/.png.bmp", ExportFormat::Bmp},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResolveExportPath(c.typed, c.filter), (ExportTarget{c.path, c.format}))
            << c.typed;
    }
}

// A pack whose occupied slots hold pictures that differ from each other in every byte.
PackImage PackWith(std::initializer_list<std::pair<int, int>> slotIds) {
    PackImage pack{};
    for (const auto& [slot, id] : slotIds) {
        SetContactId(pack, slot, id);
        auto picture = GetPicture(pack, slot);
        for (std::size_t i = 0; i < picture.size(); ++i) {
            picture[i] = static_cast<std::uint8_t>(i * 13 + static_cast<std::size_t>(slot) * 7);
        }
    }
    return pack;
}

void ExpectPngOfSlot(const std::string& path, const PackImage& pack, int slot) {
    QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull()) << path;
    EXPECT_EQ(image.size(), QSize(48, 50));
    EXPECT_EQ(image.format(), QImage::Format_Grayscale8);
    const auto greys = PictureToGreys(GetPicture(pack, slot));
    for (int y = 0; y < 50; ++y) {
        ASSERT_TRUE(std::equal(greys.begin() + y * 48, greys.begin() + (y + 1) * 48,
                               image.constScanLine(y)))
            << path << " row " << y;
    }
}

class Export : public ::testing::Test {
protected:
    void SetUp() override { ClearPackImage(g_pack); }

    TempDir dir;
    ScriptedUi ui;
    CEditorDlg dlg;
};

TEST_F(Export, ABitmapExportedAndSetOnAnotherSlotSavesTheSameBytes) {
    const PackImage pack = PackWith({{3, 42}, {7, 70}});
    RunModal(dlg, [&] {
        ShowPackThroughOpen(dlg, ui, pack);
        ui.Answer(dir.File("face"), 1);
        WithNextPopup([](QMenu* menu) { ChooseFromMenu(menu, "Export Picture..."); });
        RightClickListRow(dlg, 3);
        ASSERT_EQ(ReadWholeFile(dir.File("face.bmp")).size(), PICTURE_BMP_FILE_SIZE);
        EXPECT_EQ(ui.choosers.back().mode, FileChooserMode::SaveAskingToReplace);

        ClickListRow(dlg, 7);
        ui.Answer(dir.File("face.bmp"));
        ClickButton(dlg, IDC_SET_PICTURE);
        ui.Answer(dir.File("saved.bin"));
        ClickButton(dlg, IDC_SAVE_PACK);
    });
    EXPECT_TRUE(ui.messages.empty());
    const auto saved = ReadWholeFile(dir.File("saved.bin"));
    ASSERT_EQ(saved.size(), PACK_FILE_SIZE);
    PackImage reread{};
    std::copy(saved.begin(), saved.end(), reread.begin());
    EXPECT_TRUE(std::ranges::equal(GetPicture(reread, 7), GetPicture(pack, 3)));
    EXPECT_TRUE(std::ranges::equal(GetPicture(reread, 3), GetPicture(pack, 3)));
}

TEST_F(Export, APngHoldsTheStoredGreysAndAFailedWriteSaysSo) {
    const PackImage pack = PackWith({{0, -5}});
    RunModal(dlg, [&] {
        ShowPackThroughOpen(dlg, ui, pack);
        ClickListRow(dlg, 0);
        // The name's own extension wins over the BMP filter.
        ui.Answer(dir.File("face.PNG"), 1);
        dlg.SendCommand(IDM_EXPORT_PICTURE);
        ExpectPngOfSlot(dir.File("face.PNG"), pack, 0);
        EXPECT_TRUE(ui.messages.empty());

        ui.Answer(dir.File("no-such-folder/face.png"));
        dlg.SendCommand(IDM_EXPORT_PICTURE);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "The file cannot be saved!");
        EXPECT_EQ(ui.messages[0].caption, "Error");
    });
}

TEST_F(Export, AnExtensionAddedToANameAsksBeforeReplacingThatFile) {
    const PackImage pack = PackWith({{2, 9}});
    WriteWholeFile(dir.File("face.png"), {1, 2, 3});
    for (const int answer : {1, 0}) {
        SCOPED_TRACE(answer == 0 ? "Yes" : "No");
        RunModal(dlg, [&] {
            ShowPackThroughOpen(dlg, ui, pack);
            ClickListRow(dlg, 2);
            ui.Answer(dir.File("face"));
            ui.AnswerQuestion(answer);
            dlg.SendCommand(IDM_EXPORT_PICTURE);
        });
        ASSERT_FALSE(ui.questions.empty());
        EXPECT_EQ(ui.questions.back().text, "face.png already exists.\nDo you want to replace it?");
        EXPECT_EQ(ReadWholeFile(dir.File("face.png")).size() == 3, answer == 1);
    }
}

struct ExportAllCase {
    const char* name;
    // The answer to the question about files already there, if it is asked.
    std::optional<int> answer;
    bool oldFileKept;
    bool othersWritten;
    // The file already there is a symbolic link to nothing, which counts as a name taken, as
    // it does for snapfold export.
    bool danglingLink = false;
};

TEST_F(Export, ExportAllNamesEachOccupiedSlotAndAsksOnceAboutExistingFiles) {
    const PackImage pack = PackWith({{0, 5}, {1, -2}, {24, 300}});
    const std::vector<std::string> names{"slot-01_id-5.png", "slot-02_id--2.png",
                                         "slot-25_id-300.png"};
    const ExportAllCase cases[] = {
        {"empty folder", std::nullopt, false, true},
        {"Replace", 0, false, true},
        {"Skip", 1, true, true},
        {"Cancel", 2, true, false},
        {"dangling link, Cancel", 2, true, false, true},
    };
    for (const ExportAllCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TempDir folder;
        if (c.danglingLink) {
            std::filesystem::create_symlink("nowhere.png", folder.File(names[1]));
        } else if (c.answer) {
            WriteWholeFile(folder.File(names[1]), {7});
        }
        if (c.answer) {
            ui.AnswerQuestion(*c.answer);
        }
        ui.questions.clear();
        RunModal(dlg, [&] {
            ShowPackThroughOpen(dlg, ui, pack);
            ui.Answer(folder.Path());
            // From the window menu, over the dialog's background.
            WithNextPopup([](QMenu* menu) { ChooseFromMenu(menu, "Export All Pictures..."); });
            QWidget* window = WidgetOf(dlg);
            const QPoint background(window->width() - 5, window->height() - 5);
            QContextMenuEvent event(QContextMenuEvent::Mouse, background,
                                    window->mapToGlobal(background));
            QApplication::sendEvent(window, &event);
        });
        EXPECT_EQ(ui.choosers.back().mode, FileChooserMode::Folder);
        ASSERT_EQ(ui.questions.size(), c.answer ? 1u : 0u);
        if (c.answer) {
            const Question& q = ui.questions[0];
            EXPECT_EQ(q.text, "Some pictures already exist in this folder. Replace them?");
            EXPECT_EQ(q.buttons, (std::vector<std::string>{"Replace", "Skip", "Cancel"}));
            EXPECT_EQ(q.escapeButton, 2);
        }
        if (c.danglingLink) {
            EXPECT_TRUE(std::filesystem::is_symlink(folder.File(names[1])));
        } else {
            EXPECT_EQ(ReadWholeFile(folder.File(names[1])).size() == 1, c.oldFileKept);
        }
        EXPECT_EQ(std::filesystem::exists(folder.File(names[0])), c.othersWritten);
        if (c.othersWritten) {
            EXPECT_EQ(folder.Entries(), names);
            ExpectPngOfSlot(folder.File(names[2]), pack, 24);
        }
    }
}

} // namespace
