// The Import Image dialog's "Find face": on a portrait it starts on the face and stores what
// snapfold stores for --frame face; turned off it stores the centred crop; on a picture
// without a face it is disabled and says why.

#include "editor/editor_dlg.h"
#include "editor/import_image/import_image_dlg.h"
#include "res/resource.h"
#include "tests/support/cli_runner.h"
#include "tests/support/gui_support.h"
#include "tests/support/test_files.h"

#include <QCheckBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

using Bytes = std::vector<std::uint8_t>;

QCheckBox* FindFaceBox(QWidget* dialog) {
    for (QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
        if (box->property("controlId").toInt() == IDC_FIND_FACE) {
            return box;
        }
    }
    return nullptr;
}

void Toggle(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

class FindFace : public ::testing::Test {
protected:
    void SetUp() override {
        ClearPackImage(g_pack);
        WriteWholeFile(dir.File("face.jpg"), ReadWholeFile(SNAPFOLD_TEST_DATA "/astronaut.jpg"));
    }

    // Imports path into slot 0 with Ctrl+I, runs inspect in the dialog, and gives the slot.
    Bytes Import(const std::string& path, const std::function<void(QWidget*)>& inspect) {
        return ImportIntoFirstSlot(*editor, ui, path, inspect);
    }

    Bytes SnapfoldPicture(const std::string& frame) {
        WriteWholeFile(dir.File("pack.bin"), Bytes(PACK_FILE_SIZE, 0));
        const CliRun run =
            RunCli(SNAPFOLD_CLI, dir.Path(),
                   {"set", "pack.bin", "1", "--picture", "face.jpg", "--frame", frame}, "");
        EXPECT_EQ(run.status, 0) << run.err;
        const Bytes pack = ReadWholeFile(dir.File("pack.bin"));
        return Bytes(pack.begin() + ID_TABLE_BYTES, pack.begin() + ID_TABLE_BYTES + PICTURE_BYTES);
    }

    // A new editor, as in a new run of the program: Import Image starts from its defaults.
    void StartAfresh() { editor = std::make_unique<CEditorDlg>(); }

    TempDir dir;
    ScriptedUi ui;
    std::unique_ptr<CEditorDlg> editor = std::make_unique<CEditorDlg>();
};

struct ToggleCase {
    std::string name;
    int toggles;
    std::string frame;
};

const std::vector<ToggleCase> kToggles{
    {"StartsOnTheFace", 0, "face"},
    {"OffFramesTheCentre", 1, "centre"},
    {"OffAndOnAgainFramesTheFace", 2, "face"},
};

TEST_F(FindFace, StoresWhatSnapfoldStoresForTheSameFrame) {
    for (const ToggleCase& c : kToggles) {
        SCOPED_TRACE(c.name);
        StartAfresh();
        bool startedChecked = false;
        const Bytes stored = Import(dir.File("face.jpg"), [&](QWidget* d) {
            QCheckBox* box = FindFaceBox(d);
            ASSERT_NE(box, nullptr);
            startedChecked = box->isChecked() && box->isEnabled();
            for (int i = 0; i < c.toggles; ++i) {
                Toggle(box);
            }
            QTest::keyClick(d, Qt::Key_Return);
        });
        EXPECT_TRUE(startedChecked);
        EXPECT_EQ(stored, SnapfoldPicture(c.frame));
    }
}

TEST_F(FindFace, IsRememberedForTheNextImport) {
    Import(dir.File("face.jpg"), [](QWidget* d) {
        Toggle(FindFaceBox(d));
        QTest::keyClick(d, Qt::Key_Return);
    });
    bool checked = true;
    const Bytes stored = Import(dir.File("face.jpg"), [&](QWidget* d) {
        checked = FindFaceBox(d)->isChecked();
        QTest::keyClick(d, Qt::Key_Return);
    });
    EXPECT_FALSE(checked);
    EXPECT_EQ(stored, SnapfoldPicture("centre"));
}

TEST_F(FindFace, IsDisabledAndSaysWhyOnAPictureWithoutAFace) {
    QImage sky(200, 120, QImage::Format_RGB32);
    sky.fill(qRgb(120, 170, 230));
    ASSERT_TRUE(sky.save(QString::fromStdString(dir.File("sky.png"))));
    bool enabled = true;
    QString tip;
    QString description;
    Import(dir.File("sky.png"), [&](QWidget* d) {
        QCheckBox* box = FindFaceBox(d);
        enabled = box->isEnabled();
        tip = box->toolTip();
        description = box->accessibleDescription();
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_FALSE(enabled);
    EXPECT_EQ(tip, "No face found");
    EXPECT_EQ(description, "No face found");
}

} // namespace
