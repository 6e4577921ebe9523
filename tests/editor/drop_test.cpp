#include "editor/editor_dlg.h"
#include "image/image_io.h"
#include "pack/pack_image.h"
#include "res/resource.h"
#include "tests/support/gui_support.h"
#include "tests/support/test_files.h"
#include "ui/qt/widget.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTableWidget>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

// Drags files over a widget and drops them at a point in its coordinates; returns whether the
// drag was taken.
bool DropFiles(QWidget* target, QPoint at, const std::vector<std::string>& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& path : paths) {
        urls << QUrl::fromLocalFile(QString::fromStdString(path));
    }
    data.setUrls(urls);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QApplication::processEvents(); // The dialog hears of the drop once it has ended.
    return enter.isAccepted();
}

class Drops : public ::testing::Test {
public:
    void SetUp() override {
        ClearPackImage(g_pack);
        PackImage pack{};
        SetContactId(pack, 0, 42);
        WriteWholeFile(packPath, {pack.begin(), pack.end()});
        WriteWholeFile(dir.File("short.bin"), {1, 2, 3});
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::gray);
        ASSERT_TRUE(picture.save(QString::fromStdString(pngPath), "PNG"));
    }

    TempDir dir;
    const std::string packPath = dir.File("a.bin");
    const std::string pngPath = dir.File("picture.png");
    ScriptedUi ui;
    CEditorDlg dlg;
};

enum class Place { Background, IdBox, Row, Preview };

TEST_F(Drops, APackDroppedOutsideThePicturesOpens) {
    const struct {
        const char* name;
        Place place;
        std::vector<std::string> files;
        bool opens;
        const char* message;
        bool modifiedFirst = false;
    } cases[] = {
        // A changed pack is guarded as by Open: with the question escaped, nothing opens.
        {"Modified", Place::Background, {packPath}, false, nullptr, true},
        {"Background", Place::Background, {packPath}, true, nullptr},
        {"IdBox", Place::IdBox, {packPath}, true, nullptr},
        // A row takes pictures, so a pack there is an image that cannot be read.
        {"Row", Place::Row, {packPath}, false, "The image cannot be read!\n"},
        {"Preview", Place::Preview, {packPath}, false, nullptr},
        {"Image", Place::Background, {pngPath}, false, "Drop pictures onto a row or the preview."},
        {"TwoFiles", Place::IdBox, {packPath, packPath}, false, "Drop one pack file at a time."},
        {"Missing", Place::Background, {dir.File("no.bin")}, false, "The file cannot be opened!"},
        {"Short", Place::Background, {dir.File("short.bin")}, false, "Not all data can be read!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.Reset();
        RunModal(dlg, [&] {
            ClickButton(dlg, IDC_NEW_PACK);
            if (c.modifiedFirst) {
                SetIdOfRow(dlg, 0, "5");
            }
            QWidget* window = WidgetOf(dlg);
            QWidget* target = window;
            QPoint at(window->width() - 5, window->height() - 5);
            if (c.place == Place::IdBox) {
                target = Control(dlg, IDC_ID_EDIT);
                at = target->rect().center();
            } else if (c.place == Place::Preview) {
                at = Control(dlg, IDC_PREVIEW)->geometry().center();
            } else if (c.place == Place::Row) {
                auto* list = ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST);
                const QRect row = list->visualItemRect(list->item(1, 0));
                at = list->viewport()->mapTo(window, row.center());
            }
            EXPECT_TRUE(DropFiles(target, at, c.files));
            EXPECT_EQ(GetContactId(g_pack, 0) == 42, c.opens);
            EXPECT_EQ(ui.questions.size(), c.modifiedFirst ? 1u : 0u);
            ASSERT_EQ(ui.messages.size(), c.message != nullptr ? 1u : 0u);
            if (c.message != nullptr) {
                EXPECT_EQ(ui.messages[0].text.substr(0, std::string(c.message).size()), c.message);
            }
        });
    }
}

TEST_F(Drops, APictureDroppedOntoARowOrThePreviewIsImportedIntoThatSlot) {
    for (const Place place : {Place::Row, Place::Preview}) {
        SCOPED_TRACE(place == Place::Row ? "Row" : "Preview");
        ClearPackImage(g_pack);
        RunModal(dlg, [&] {
            ClickButton(dlg, IDC_NEW_PACK);
            ClickListRow(dlg, 1);
            QWidget* window = WidgetOf(dlg);
            QPoint at = Control(dlg, IDC_PREVIEW)->geometry().center();
            if (place == Place::Row) {
                auto* list = ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST);
                at = list->viewport()->mapTo(window,
                                             list->visualItemRect(list->item(2, 0)).center());
            }
            QString title;
            EXPECT_TRUE(WithNextModal([&] { DropFiles(window, at, {pngPath}); },
                                      [&](QWidget* importDialog) {
                                          title = importDialog->windowTitle();
                                          QTest::keyClick(importDialog, Qt::Key_Return);
                                      }));
            EXPECT_EQ(title, "Import Image");
            const int slot = place == Place::Row ? 2 : 1;
            EXPECT_EQ(dlg.GetSelectedSlot(), slot);
            EXPECT_EQ(ControlAs<QTableWidget>(dlg, IDC_CONTACT_LIST)->currentRow(), slot);
            // A flat grey between 85 and 190 cannot be stored as zeros.
            const auto picture = GetPicture(std::as_const(g_pack), slot);
            EXPECT_TRUE(std::any_of(picture.begin(), picture.end(), [](auto b) { return b != 0; }));
        });
    }
}

// Contents decide, not names: a new pack named .png is no image, a PNG named .bin is one.
TEST(ImageFiles, AreToldFromPacksByTheirContents) {
    TempDir dir;
    WriteWholeFile(dir.File("pack.png"), std::vector<std::uint8_t>(PACK_FILE_SIZE));
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.File("picture.bin")), "PNG"));
    EXPECT_FALSE(IsImageFile(dir.File("pack.png")));
    EXPECT_TRUE(IsImageFile(dir.File("picture.bin")));
    EXPECT_FALSE(IsImageFile(dir.File("missing")));
}

} // namespace
