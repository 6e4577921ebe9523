#include "convert/dither.h"
#include "editor/editor_dlg.h"
#include "editor/import_image/import_image_dlg.h"
#include "pack/picture_export.h"
#include "res/resource.h"
#include "tests/support/cli_runner.h"
#include "tests/support/gui_support.h"
#include "tests/support/test_files.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace {

// An image of 48k x 50k pixels made of k x k blocks, each one display grey: the grey of block
// (x, y) is that of level (x + 2y) % 4.
QImage BlockImage(int k) {
    QImage image(48 * k, 50 * k, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int grey = kDisplayGreys[static_cast<std::size_t>((x / k + 2 * (y / k)) % 4)];
            image.setPixel(x, y, qRgb(grey, grey, grey));
        }
    }
    return image;
}

std::array<std::uint8_t, PICTURE_PIXELS> BlockGreys(bool inverted) {
    std::array<std::uint8_t, PICTURE_PIXELS> greys{};
    for (int y = 0; y < PICTURE_HEIGHT; ++y) {
        for (int x = 0; x < PICTURE_WIDTH; ++x) {
            const int level = (x + 2 * y) % 4;
            greys[static_cast<std::size_t>(y * PICTURE_WIDTH + x)] =
                kDisplayGreys[static_cast<std::size_t>(inverted ? 3 - level : level)];
        }
    }
    return greys;
}

std::array<std::uint8_t, PICTURE_PIXELS> SlotGreys(int slot) {
    return PictureToGreys(GetPicture(std::as_const(g_pack), slot));
}

// The 48x50 picture a picture view shows at one screen pixel per pixel, read off the screen.
std::array<std::uint8_t, PICTURE_PIXELS> ShownGreys(QWidget* view) {
    const QImage shot = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int left = (shot.width() - PICTURE_WIDTH) / 2;
    const int top = (shot.height() - PICTURE_HEIGHT) / 2;
    std::array<std::uint8_t, PICTURE_PIXELS> greys{};
    for (int y = 0; y < PICTURE_HEIGHT; ++y) {
        for (int x = 0; x < PICTURE_WIDTH; ++x) {
            greys[static_cast<std::size_t>(y * PICTURE_WIDTH + x)] =
                static_cast<std::uint8_t>(qRed(shot.pixel(left + x, top + y)));
        }
    }
    return greys;
}

QWidget* DialogControl(QWidget* dialog, int id) {
    for (QWidget* child : dialog->findChildren<QWidget*>()) {
        if (child->property("controlId").toInt() == id) {
            return child;
        }
    }
    return nullptr;
}

void Click(QWidget* dialog, int id) {
    QWidget* control = DialogControl(dialog, id);
    ASSERT_NE(control, nullptr) << "no control " << id;
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

class ImportImage : public ::testing::Test {
protected:
    void SetUp() override { ClearPackImage(g_pack); }

    std::string SaveImage(const QImage& image, const std::string& name) {
        const std::string path = dir.File(name);
        EXPECT_TRUE(image.save(QString::fromStdString(path)));
        return path;
    }

    // Asks to import path into the selected slot with Ctrl+I, and runs inspect in the Import
    // Image dialog; returns whether the dialog appeared.
    bool ImportWithKeys(const std::string& path, const std::function<void(QWidget*)>& inspect) {
        return ImportWithKeysInto(dlg, path, inspect);
    }
    bool ImportWithKeysInto(CEditorDlg& editor, const std::string& path,
                            const std::function<void(QWidget*)>& inspect) {
        ui.Answer(path);
        QWidget* list = Control(editor, IDC_CONTACT_LIST);
        list->setFocus();
        return WithNextModal([&] { QTest::keyClick(list, Qt::Key_I, Qt::ControlModifier); },
                             inspect);
    }

    TempDir dir;
    ScriptedUi ui;
    CEditorDlg dlg;
};

TEST_F(ImportImage, OkStoresTheGreysTheResultShowedAndLeavesTheIdentifier) {
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        ClickListRow(dlg, 4);
        const std::string path = SaveImage(BlockImage(3), "blocks.png");
        std::array<std::uint8_t, PICTURE_PIXELS> shown{};
        QString title;
        ASSERT_TRUE(ImportWithKeys(path, [&](QWidget* importDialog) {
            title = importDialog->windowTitle();
            shown = ShownGreys(DialogControl(importDialog, IDC_RESULT_ACTUAL));
            QTest::keyClick(importDialog, Qt::Key_Return);
        }));
        EXPECT_EQ(title, "Import Image");
        EXPECT_EQ(shown, BlockGreys(false));
        EXPECT_EQ(SlotGreys(4), BlockGreys(false));
        EXPECT_EQ(GetContactId(g_pack, 4), 0);
        EXPECT_TRUE(ui.messages.empty());
        ASSERT_EQ(ui.choosers.size(), 1u);
        EXPECT_NE(ui.choosers[0].filter.find("*.png"), std::string::npos);
        EXPECT_NE(ui.choosers[0].filter.find("*.jpg"), std::string::npos);
    });
}

TEST_F(ImportImage, AnImportIsOneStepThatUndoTakesBackAndRedoBringsBack) {
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        ClickListRow(dlg, 6);
        ASSERT_TRUE(ImportWithKeys(SaveImage(BlockImage(1), "b.png"),
                                   [](QWidget* d) { QTest::keyClick(d, Qt::Key_Return); }));
        ASSERT_EQ(SlotGreys(6), BlockGreys(false));
        EXPECT_TRUE(dlg.CanUndo());
        QWidget* list = Control(dlg, IDC_CONTACT_LIST);
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_TRUE(std::all_of(g_pack.begin(), g_pack.end(), [](auto b) { return b == 0; }));
        QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(SlotGreys(6), BlockGreys(false));
    });
}

TEST_F(ImportImage, CancelAndEscapeChangeNothing) {
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Cancel");
        ClearPackImage(g_pack);
        RunModal(dlg, [&] {
            ClickButton(dlg, IDC_NEW_PACK);
            ClickListRow(dlg, 0);
            bool closed = false;
            ASSERT_TRUE(ImportWithKeys(SaveImage(BlockImage(1), "b.png"), [&](QWidget* d) {
                if (escape) {
                    QTest::keyClick(d, Qt::Key_Escape);
                } else {
                    Click(d, IDCANCEL);
                }
                closed = !d->isVisible();
            }));
            EXPECT_TRUE(closed);
            EXPECT_TRUE(std::all_of(g_pack.begin(), g_pack.end(), [](auto b) { return b == 0; }));
        });
    }
}

TEST_F(ImportImage, AnUnreadableFileGivesOneWarningAndNoDialog) {
    WriteWholeFile(dir.File("cut.png"), {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0});
    WriteWholeFile(dir.File("notes.png"), {'h', 'e', 'l', 'l', 'o'});
    WriteWholeFile(dir.File("empty.jpg"), {});
    std::vector<std::uint8_t> heic = ReadWholeFile(SNAPFOLD_TEST_DATA "/photo.heic");
    heic.resize(4000);
    WriteWholeFile(dir.File("cut.heic"), heic);
    std::filesystem::create_directory(dir.File("folder.png"));
    // Nobody writes to the FIFO: reading it would block the editor for good.
    ASSERT_EQ(mkfifo(dir.File("fifo.png").c_str(), 0600), 0);
    for (const char* name : {"cut.png", "notes.png", "empty.jpg", "cut.heic", "folder.png",
                             "missing.gif", "fifo.png"}) {
        SCOPED_TRACE(name);
        ui.messages.clear();
        RunModal(dlg, [&] {
            ClickButton(dlg, IDC_NEW_PACK);
            ClickListRow(dlg, 2);
            EXPECT_FALSE(ImportWithKeys(dir.File(name), [](QWidget* d) { d->close(); }));
        });
        ASSERT_EQ(ui.messages.size(), 1u);
        const std::string prefix = "The image cannot be read!\n";
        EXPECT_EQ(ui.messages[0].text.substr(0, prefix.size()), prefix);
        EXPECT_GT(ui.messages[0].text.size(), prefix.size()) << "no reason given";
        EXPECT_EQ(ui.messages[0].caption, GetAppTitle());
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Warning);
        EXPECT_TRUE(std::all_of(g_pack.begin(), g_pack.end(), [](auto b) { return b == 0; }));
    }
}

// How the dialog is set for a comparison, and the snapfold options that say the same.
struct SameBytesCase {
    std::string name;
    std::function<void(QWidget*)> setUp;
    std::vector<std::string> options;
    std::string file = "photo.jpg";
};

void Choose(QWidget* dialog, int dithering) {
    qobject_cast<QComboBox*>(DialogControl(dialog, IDC_DITHERING))->setCurrentIndex(dithering);
}

// A JPEG this large is decoded at half size and of odd sides, so that the frame chosen on the
// full size lands on the reduced copy with rounding; both programs must frame it alike. The
// portrait starts framed on its face in both.
TEST_F(ImportImage, TheEditorAndTheCommandLineStoreTheSameBytes) {
    QImage photo(1701, 1003, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        for (int x = 0; x < photo.width(); ++x) {
            const int v = (x * 7 + y * 3 + (x * y) % 61) % 256;
            photo.setPixel(x, y, qRgb(v, (v + x) % 256, (v + y) % 256));
        }
    }
    SaveImage(photo, "photo.jpg");
    SaveImage(QImage(SNAPFOLD_TEST_DATA "/astronaut.jpg").scaled(1001, 1001), "face.jpg");
    const std::vector<SameBytesCase> cases{
        {"Defaults", [](QWidget*) {}, {}},
        {"PortraitFramedOnTheFace", [](QWidget*) {}, {}, "face.jpg"},
        {"NoAutoLevelsSharpenAtkinson",
         [](QWidget* d) {
             Click(d, IDC_AUTO_LEVELS);
             qobject_cast<QSlider*>(DialogControl(d, IDC_SHARPEN))->setValue(40);
             Choose(d, static_cast<int>(Dithering::Atkinson));
         },
         {"--no-auto-levels", "--sharpen", "40", "--dither", "atkinson"}},
        {"GammaOrderedInvert",
         [](QWidget* d) {
             qobject_cast<QSlider*>(DialogControl(d, IDC_GAMMA))->setValue(150);
             Choose(d, static_cast<int>(Dithering::Ordered4x4));
             Click(d, IDC_INVERT);
         },
         {"--gamma", "1.5", "--dither", "ordered", "--invert"}},
    };
    for (const SameBytesCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> imported;
        // A new editor for each row, so that Import Image starts from its defaults.
        CEditorDlg fresh;
        RunModal(fresh, [&] {
            ClickButton(fresh, IDC_NEW_PACK);
            ClickListRow(fresh, 0);
            ASSERT_TRUE(ImportWithKeysInto(fresh, dir.File(c.file), [&](QWidget* d) {
                c.setUp(d);
                QTest::keyClick(d, Qt::Key_Return);
            }));
            const ConstPackPicture picture = GetPicture(std::as_const(g_pack), 0);
            imported.assign(picture.begin(), picture.end());
        });
        WriteWholeFile(dir.File("pack.bin"), std::vector<std::uint8_t>(PACK_FILE_SIZE, 0));
        std::vector<std::string> args{"set", "pack.bin", "1", "--picture", c.file};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliRun run = RunCli(SNAPFOLD_CLI, dir.Path(), args, "");
        ASSERT_EQ(run.status, 0) << run.err;
        const std::vector<std::uint8_t> saved = ReadWholeFile(dir.File("pack.bin"));
        ASSERT_EQ(saved.size(), PACK_FILE_SIZE);
        EXPECT_EQ(std::vector<std::uint8_t>(saved.begin() + ID_TABLE_BYTES,
                                            saved.begin() + ID_TABLE_BYTES + PICTURE_BYTES),
                  imported);
    }
}

// What assistive technology calls a control: its own name, or its label's.
QString SpokenName(QWidget* control) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face == nullptr ? QString() : face->text(QAccessible::Name);
}

TEST_F(ImportImage, AutoLevelsAndSharpenAreNamedChangeTheResultAndAreRemembered) {
    // A dull picture, greys 100 to 140, with fine stripes: both controls have work to do.
    QImage dull(96, 100, QImage::Format_RGB32);
    for (int y = 0; y < dull.height(); ++y) {
        for (int x = 0; x < dull.width(); ++x) {
            const int v = 100 + (x * 30) / 95 + ((x / 4) % 2) * 10;
            dull.setPixel(x, y, qRgb(v, v, v));
        }
    }
    const std::string path = SaveImage(dull, "dull.png");
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        ClickListRow(dlg, 3);
        ASSERT_TRUE(ImportWithKeys(path, [&](QWidget* d) {
            EXPECT_EQ(SpokenName(DialogControl(d, IDC_AUTO_LEVELS)), "Auto levels");
            EXPECT_EQ(SpokenName(DialogControl(d, IDC_SHARPEN)), "Sharpen");
            auto* sharpen = qobject_cast<QSlider*>(DialogControl(d, IDC_SHARPEN));
            ASSERT_NE(sharpen, nullptr);
            auto* value = qobject_cast<QLabel*>(DialogControl(d, IDC_SHARPEN_VALUE));
            EXPECT_EQ(value->text(), "0");
            // Auto levels are on at first use; the check box turns them off.
            EXPECT_TRUE(qobject_cast<QCheckBox*>(DialogControl(d, IDC_AUTO_LEVELS))->isChecked());
            const auto levelled = ShownGreys(DialogControl(d, IDC_RESULT_ACTUAL));
            Click(d, IDC_AUTO_LEVELS);
            const auto plain = ShownGreys(DialogControl(d, IDC_RESULT_ACTUAL));
            EXPECT_NE(levelled, plain);
            // Stretched, the darkest stripes reach black, which the dull picture never shows.
            EXPECT_EQ(std::count(plain.begin(), plain.end(), 0), 0);
            EXPECT_GT(std::count(levelled.begin(), levelled.end(), 0), 0);
            sharpen->setValue(75);
            EXPECT_EQ(value->text(), "75");
            EXPECT_NE(ShownGreys(DialogControl(d, IDC_RESULT_ACTUAL)), plain);
            Click(d, IDOK);
        }));
        EXPECT_EQ(dlg.GetImportSettings().convert.tone.sharpen, 75);
        ASSERT_TRUE(ImportWithKeys(path, [&](QWidget* d) {
            EXPECT_FALSE(qobject_cast<QCheckBox*>(DialogControl(d, IDC_AUTO_LEVELS))->isChecked());
            EXPECT_EQ(qobject_cast<QSlider*>(DialogControl(d, IDC_SHARPEN))->value(), 75);
            d->close();
        }));
    });
}

TEST_F(ImportImage, ControlsChangeTheResultAndKeepTheirSettingsForTheNextImport) {
    RunModal(dlg, [&] {
        ClickButton(dlg, IDC_NEW_PACK);
        ClickListRow(dlg, 1);
        const std::string path = SaveImage(BlockImage(2), "blocks.png");
        QStringList names;
        QString chosen;
        ASSERT_TRUE(ImportWithKeys(path, [&](QWidget* d) {
            auto* combo = qobject_cast<QComboBox*>(DialogControl(d, IDC_DITHERING));
            for (int i = 0; i < combo->count(); ++i) {
                names << combo->itemText(i);
            }
            chosen = combo->currentText();
            combo->setCurrentIndex(0);
            QWidget* invert = DialogControl(d, IDC_INVERT);
            QTest::mouseClick(invert, Qt::LeftButton, {}, QPoint(6, invert->height() / 2));
            EXPECT_EQ(ShownGreys(DialogControl(d, IDC_RESULT_ACTUAL)), BlockGreys(true));
            Click(d, IDOK);
        }));
        EXPECT_EQ(names,
                  (QStringList{"None", "Floyd-Steinberg", "Atkinson", "Ordered 4x4", "Optimised"}));
        EXPECT_EQ(chosen, "Optimised");
        EXPECT_EQ(SlotGreys(1), BlockGreys(true));

        bool inverted = false;
        ASSERT_TRUE(ImportWithKeys(path, [&](QWidget* d) {
            inverted = qobject_cast<QCheckBox*>(DialogControl(d, IDC_INVERT))->isChecked();
            chosen = qobject_cast<QComboBox*>(DialogControl(d, IDC_DITHERING))->currentText();
            d->close();
        }));
        EXPECT_TRUE(inverted);
        EXPECT_EQ(chosen, "None");
    });
}

TEST_F(ImportImage, MovingTheFrameByMouseOrKeysChoosesThePartThatIsImported) {
    // Black on the left half, white on the right: the centred frame holds both, the frame
    // moved to the left edge only black.
    QImage halves(200, 100, QImage::Format_RGB32);
    halves.fill(Qt::white);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            halves.setPixel(x, y, qRgb(0, 0, 0));
        }
    }
    const std::pair<const char*, std::function<void(QWidget*)>> moves[] = {
        {"mouse",
         [](QWidget* crop) {
             const QPoint middle = crop->rect().center();
             const QPoint left = middle - QPoint(crop->width() / 2, 0);
             QTest::mousePress(crop, Qt::LeftButton, {}, middle);
             QTest::mouseMove(crop, left);
             QTest::mouseRelease(crop, Qt::LeftButton, {}, left);
         }},
        {"keys",
         [](QWidget* crop) {
             crop->setFocus();
             for (int i = 0; i < 10; ++i) {
                 QTest::keyClick(crop, Qt::Key_Left, Qt::ShiftModifier);
             }
         }},
    };
    for (const auto& way : moves) {
        SCOPED_TRACE(way.first);
        ClearPackImage(g_pack);
        RunModal(dlg, [&] {
            ClickButton(dlg, IDC_NEW_PACK);
            ClickListRow(dlg, 0);
            bool mixedBefore = false;
            ASSERT_TRUE(ImportWithKeys(SaveImage(halves, "halves.png"), [&](QWidget* d) {
                const auto before = ShownGreys(DialogControl(d, IDC_RESULT_ACTUAL));
                mixedBefore = before.front() == 0 && before.back() == 255;
                way.second(DialogControl(d, IDC_CROP_VIEW));
                Click(d, IDOK);
            }));
            EXPECT_TRUE(mixedBefore);
            const auto stored = SlotGreys(0);
            EXPECT_TRUE(std::all_of(stored.begin(), stored.end(), [](auto g) { return g == 0; }));
        });
    }
}

} // namespace
