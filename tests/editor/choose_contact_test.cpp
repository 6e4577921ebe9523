// The Choose Contact window through its real widgets: the filter, Enter, a double-click, cards
// that cannot be chosen, and Cancel.

#include "editor/choose_contact/choose_contact_dlg.h"
#include "res/resource.h"
#include "tests/contacts/vcard_samples.h"
#include "tests/support/gui_support.h"
#include "ui/qt/widget.h"

#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

VCardFile Book() {
    const std::string text = WriteVCard(
        "BEGIN:VCARD\nFN:Åsa Berg\nPHOTO;ENCODING=b:{JPEG}\nEND:VCARD\n"
        "BEGIN:VCARD\nFN:Bo Ek\nEND:VCARD\n"
        "BEGIN:VCARD\nFN:Anna Lind\nPHOTO;ENCODING=b:{PNG}\nEND:VCARD\n"
        "BEGIN:VCARD\nFN:Linus Berg\nPHOTO;VALUE=uri:https://example.org/l.jpg\nEND:VCARD\n"
        "BEGIN:VCARD\nFN:Nils Berg\nPHOTO;ENCODING=b:/9j/AAAA\nEND:VCARD\n");
    return ReadVCards({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

QLineEdit* Filter(const CDialog& dialog) {
    return ControlAs<QLineEdit>(dialog, IDC_CONTACT_FILTER);
}

QTableWidget* Cards(const CDialog& dialog) {
    return ControlAs<QTableWidget>(dialog, IDC_CONTACT_CARDS);
}

std::vector<std::string> Rows(const CDialog& dialog) {
    std::vector<std::string> rows;
    QTableWidget* list = Cards(dialog);
    for (int row = 0; row < list->rowCount(); ++row) {
        const bool enabled = (list->item(row, 0)->flags() & Qt::ItemIsEnabled) != 0;
        rows.push_back((enabled ? "" : "[disabled] ") + list->item(row, 0)->text().toStdString());
    }
    return rows;
}

TEST(ChooseContact, ListsEveryCardAndDisablesThoseWithoutAUsablePhoto) {
    const VCardFile file = Book();
    CChooseContactDlg dialog(file, nullptr);
    RunModal(dialog, [&] {
        EXPECT_EQ(Rows(dialog), (std::vector<std::string>{
                                    "Åsa Berg",
                                    "[disabled] Bo Ek — No photo",
                                    "Anna Lind",
                                    "[disabled] Linus Berg — Only a link to a photo",
                                    "[disabled] Nils Berg — Photo cannot be read",
                                }));
        EXPECT_TRUE(Filter(dialog)->hasFocus());
        EXPECT_EQ(Cards(dialog)->currentRow(), 0);
        EXPECT_EQ(Cards(dialog)->item(1, 0)->data(Qt::AccessibleDescriptionRole).toString(),
                  "No photo");
        EXPECT_EQ(Filter(dialog)->accessibleName(), "Find a contact by name");
        EXPECT_EQ(Cards(dialog)->accessibleName(), "Contacts");
    });
}

TEST(ChooseContact, TypingFiltersAndEnterChoosesTheFirstCardThatCanBeChosen) {
    const VCardFile file = Book();
    CChooseContactDlg dialog(file, nullptr);
    const int result = RunModal(dialog, [&] {
        QTest::keyClicks(Filter(dialog), "BERG");
        EXPECT_EQ(Rows(dialog), (std::vector<std::string>{
                                    "Åsa Berg", "[disabled] Linus Berg — Only a link to a photo",
                                    "[disabled] Nils Berg — Photo cannot be read"}));
        QTest::keyClicks(Filter(dialog), "\b\b\b\bann");
        EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"Anna Lind"}));
        QTest::keyClick(Filter(dialog), Qt::Key_Return);
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_NE(dialog.GetChosenCard(), nullptr);
    EXPECT_EQ(dialog.GetChosenCard()->number, 3);
}

TEST(ChooseContact, ADoubleClickChoosesOnlyACardWithAPhoto) {
    const VCardFile file = Book();
    CChooseContactDlg dialog(file, nullptr);
    const int result = RunModal(dialog, [&] {
        QTableWidget* list = Cards(dialog);
        const auto centre = [&](int row) {
            return list->visualItemRect(list->item(row, 0)).center();
        };
        // A double-click is a press and release, then a second press that is the double-click.
        const auto doubleClick = [&](int row) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre(row));
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre(row));
        };
        doubleClick(1);
        EXPECT_TRUE(WidgetOf(dialog)->isVisible());
        doubleClick(2);
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_NE(dialog.GetChosenCard(), nullptr);
    EXPECT_EQ(dialog.GetChosenCard()->name, "Anna Lind");
}

TEST(ChooseContact, CancelAndEscapeChooseNothing) {
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Cancel");
        const VCardFile file = Book();
        CChooseContactDlg dialog(file, nullptr);
        const int result = RunModal(dialog, [&] {
            if (escape) {
                QTest::keyClick(Filter(dialog), Qt::Key_Escape);
            } else {
                ClickButton(dialog, IDCANCEL);
            }
            EXPECT_FALSE(WidgetOf(dialog)->isVisible());
        });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(dialog.GetChosenCard(), nullptr);
    }
}

// With nothing left to choose, Enter keeps the window open rather than choose a hidden card.
TEST(ChooseContact, EnterWithNoCardLeftChoosesNothing) {
    const VCardFile file = Book();
    CChooseContactDlg dialog(file, nullptr);
    const int result = RunModal(dialog, [&] {
        QTest::keyClicks(Filter(dialog), "bo");
        EXPECT_EQ(Rows(dialog), (std::vector<std::string>{"[disabled] Bo Ek — No photo"}));
        QTest::keyClick(Filter(dialog), Qt::Key_Return);
        EXPECT_TRUE(WidgetOf(dialog)->isVisible());
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.GetChosenCard(), nullptr);
}

} // namespace
