// Qt's own chooser, as the editor's commands set it up where the desktop offers none: every
// detail column shows its whole text, and the chooser fits the screen.

#include "tests/support/test_files.h"
#include "ui/qt/ui_services.h"

#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScreen>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <string>

namespace {

// A phone photo, a pack and a small bitmap: sizes in MiB, KiB and bytes, three kinds of type.
void MakeFolder(const TempDir& dir) {
    WriteWholeFile(dir.File("IMG_20240612_183512.HEIC"), std::vector<std::uint8_t>(2500000));
    WriteWholeFile(dir.File("friends.bin"), std::vector<std::uint8_t>(15050));
    WriteWholeFile(dir.File("IMG_20240612_183513.jpg"), std::vector<std::uint8_t>(20000));
    WriteWholeFile(dir.File("small.bmp"), std::vector<std::uint8_t>(150));
}

TEST(FileChooser, ShowsWholeColumnTextsWithinTheScreen) {
    const TempDir dir;
    MakeFolder(dir);
    for (const FileChooserMode mode : {FileChooserMode::Open, FileChooserMode::Save}) {
        SCOPED_TRACE(static_cast<int>(mode));
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        ConfigureFileDialog(dialog, mode, "All files (*.*)|*.*||");
        dialog.setDirectory(QString::fromStdString(dir.Path()));
        dialog.show();
        auto* details = dialog.findChild<QTreeView*>("treeView");
        ASSERT_NE(details, nullptr);
        const QModelIndex root = details->rootIndex();
        ASSERT_TRUE(QTest::qWaitFor([&] { return details->model()->rowCount(root) == 4; }));
        QTest::qWait(50);
        const QFontMetrics metrics(details->font());
        const QHeaderView* header = details->header();
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < header->count(); ++column) {
                const QModelIndex cell = details->model()->index(row, column, root);
                const QString text = cell.data().toString();
                // The cell's own padding and, in the first column, the file's icon take room too.
                const int room = header->sectionSize(column) - (column == 0 ? 28 : 6);
                EXPECT_LE(metrics.horizontalAdvance(text), room)
                    << "column " << column << ": " << text.toStdString();
            }
        }
        const QRect screen = dialog.screen()->availableGeometry();
        EXPECT_LE(dialog.width(), screen.width());
        EXPECT_LE(dialog.height(), screen.height());
    }
}

} // namespace
