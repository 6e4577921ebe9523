// A contact's photo from an address book in the editor: the chooser lists vCard files, one
// chosen or dropped on a row opens Choose Contact, and the chosen contact's photo goes through
// Import Image to the same slot bytes snapfold set --card stores.

#include "editor/editor_dlg.h"
#include "res/resource.h"
#include "tests/contacts/vcard_samples.h"
#include "tests/support/cli_runner.h"
#include "tests/support/gui_support.h"
#include "tests/support/test_files.h"
#include "ui/qt/widget.h"

#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPointer>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// A crop on the first card, so that the editor must apply it as snapfold does.
constexpr const char* kBook =
    "BEGIN:VCARD\nVERSION:3.0\nFN:Åsa Berg\nPHOTO;ENCODING=b;X-ABCROP-RECTANGLE="
    "ABClipRect_1&6&4&50&52&aA==:{JPEG|space}\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:4.0\nFN:Cilla Katt\nPHOTO:data:image/png;base64\\,{PNG}\nEND:VCARD\n"
    "BEGIN:VCARD\nVERSION:3.0\nFN:Bo Ek\nEND:VCARD\n";

void DropFiles(QWidget* target, QPoint at, const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QApplication::processEvents();
}

// Runs action, which opens modal windows one after another, and handles each in turn as it
// comes up: a handler that closes its window lets the next one open. Returns how many came.
std::size_t WithModalsInTurn(const std::function<void()>& action,
                             const std::vector<std::function<void(QWidget*)>>& handlers) {
    // Every window up before or handled so far, guarded since the next window may be made where
    // a handled one was freed. Between two windows the one below (the editor) is the active
    // modal again, and a wait cursor lets the poll run there: it must not take a handler.
    std::vector<QPointer<QWidget>> seen{QApplication::activeModalWidget()};
    const auto isSeen = [&seen](QWidget* modal) {
        return std::ranges::any_of(seen,
                                   [modal](const QPointer<QWidget>& w) { return w == modal; });
    };
    std::size_t next = 0;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && !isSeen(modal) && modal->isVisible() && next < handlers.size()) {
            seen.emplace_back(modal);
            ActivateForKeys(modal);
            handlers[next++](modal);
        }
    });
    poll.start();
    action();
    return next;
}

class AddressBook : public ::testing::Test {
protected:
    void SetUp() override {
        ClearPackImage(g_pack);
        const std::string book = WriteVCard(kBook, LineEnds::CrLf);
        WriteWholeFile(dir.File("book.vcf"), std::vector<std::uint8_t>(book.begin(), book.end()));
    }

    // While action runs: types filter into Choose Contact and presses Enter, then presses
    // Enter in Import Image; keeps the windows' titles.
    void ChooseAndImport(const std::function<void()>& action, const std::string& filter) {
        const std::size_t came =
            WithModalsInTurn(action, {[&](QWidget* chooser) {
                                          titles.push_back(chooser->windowTitle().toStdString());
                                          auto* edit = chooser->findChild<QLineEdit*>();
                                          ASSERT_NE(edit, nullptr);
                                          QTest::keyClicks(edit, QString::fromStdString(filter));
                                          QTest::keyClick(edit, Qt::Key_Return);
                                      },
                                      [&](QWidget* import) {
                                          titles.push_back(import->windowTitle().toStdString());
                                          QTest::keyClick(import, Qt::Key_Return);
                                      }});
        EXPECT_EQ(came, 2u);
    }

    // The editor's document keeps the pack in g_pack.
    static std::vector<std::uint8_t> SlotPicture(int slot) {
        const ConstPackPicture picture = GetPicture(std::as_const(g_pack), slot);
        return {picture.begin(), picture.end()};
    }

    TempDir dir;
    ScriptedUi ui;
    std::vector<std::string> titles;
};

TEST_F(AddressBook, ImportImageOfACardStoresWhatSnapfoldSetCardStores) {
    std::vector<std::uint8_t> imported;
    CEditorDlg editor;
    RunModal(editor, [&] {
        ClickButton(editor, IDC_NEW_PACK);
        ClickListRow(editor, 0);
        ui.Answer(dir.File("book.vcf"));
        QWidget* list = Control(editor, IDC_CONTACT_LIST);
        list->setFocus();
        ChooseAndImport([&] { QTest::keyClick(list, Qt::Key_I, Qt::ControlModifier); }, "åsa");
        imported = SlotPicture(0);
    });
    ASSERT_FALSE(ui.choosers.empty());
    EXPECT_NE(ui.choosers.back().filter.find("*.vcf;*.vcard"), std::string::npos);
    EXPECT_EQ(titles, (std::vector<std::string>{"Choose Contact", "Import Image — Åsa Berg"}));
    WriteWholeFile(dir.File("pack.bin"), std::vector<std::uint8_t>(PACK_FILE_SIZE, 0));
    const CliRun run =
        RunCli(SNAPFOLD_CLI, dir.Path(),
               {"set", "pack.bin", "1", "--picture", "book.vcf", "--card", "Åsa Berg"}, "");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::uint8_t> saved = ReadWholeFile(dir.File("pack.bin"));
    EXPECT_EQ(std::vector<std::uint8_t>(saved.begin() + ID_TABLE_BYTES,
                                        saved.begin() + ID_TABLE_BYTES + PICTURE_BYTES),
              imported);
}

TEST_F(AddressBook, AnAddressBookDroppedOnARowOpensChooseContactForThatRow) {
    CEditorDlg editor;
    std::vector<std::uint8_t> before;
    RunModal(editor, [&] {
        ClickButton(editor, IDC_NEW_PACK);
        ClickListRow(editor, 0);
        before = SlotPicture(2);
        QWidget* window = WidgetOf(editor);
        auto* list = ControlAs<QTableWidget>(editor, IDC_CONTACT_LIST);
        const QPoint at =
            list->viewport()->mapTo(window, list->visualItemRect(list->item(2, 0)).center());
        ChooseAndImport([&] { DropFiles(window, at, dir.File("book.vcf")); }, "katt");
        EXPECT_EQ(editor.GetSelectedSlot(), 2);
        EXPECT_NE(SlotPicture(2), before);
    });
    EXPECT_EQ(titles, (std::vector<std::string>{"Choose Contact", "Import Image — Cilla Katt"}));
}

} // namespace
