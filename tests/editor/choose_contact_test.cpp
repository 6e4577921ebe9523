// The Choose Contact window through its real widgets: the filter, Enter, a double-click, cards
// that cannot be chosen, Cancel, and a long address book whose photos are read as they come
// into view.

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

constexpr int kLongBook = 300;

// kLongBook cards named "Person N" with the test photo, except card unreadable + 1, whose photo
// looks like a JPEG but cannot be read.
VCardFile LongBook(int unreadable) {
    std::string text;
    for (int i = 0; i < kLongBook; ++i) {
        text += "BEGIN:VCARD\nFN:Person " + std::to_string(i) +
                "\nPHOTO;ENCODING=b:" + (i == unreadable ? "/9j/AAAA" : "{JPEG}") + "\nEND:VCARD\n";
    }
    const std::string book = WriteVCard(text);
    return ReadVCards({reinterpret_cast<const std::uint8_t*>(book.data()), book.size()});
}

int RowsWithPictures(const CDialog& dialog) {
    int count = 0;
    for (int row = 0; row < Cards(dialog)->rowCount(); ++row) {
        count += Cards(dialog)->item(row, 0)->icon().isNull() ? 0 : 1;
    }
    return count;
}

enum class Reach { Open, ScrollToEnd, Filter };

struct LongBookCase {
    const char* name;
    int unreadable;
    // How the unreadable card comes into view.
    Reach reach;
    // Its row in the list once in view.
    int row;
};

// Only the rows drawn (and a page around them) have their photos read, yet a row the user sees
// always says whether its photo can be read, however it came into view.
TEST(ChooseContact, ALongBookReadsOnlyThePhotosOfTheRowsInView) {
    const LongBookCase cases[] = {
        {"first row, known before the window shows", 0, Reach::Open, 0},
        {"last row, learnt when scrolled to", kLongBook - 1, Reach::ScrollToEnd, kLongBook - 1},
        {"last row, learnt when the filter finds it", kLongBook - 1, Reach::Filter, 0},
    };
    for (const LongBookCase& test : cases) {
        SCOPED_TRACE(test.name);
        const VCardFile file = LongBook(test.unreadable);
        CChooseContactDlg dialog(file, nullptr);
        RunModal(dialog, [&] {
            QTableWidget* list = Cards(dialog);
            list->viewport()->repaint();
            EXPECT_GT(RowsWithPictures(dialog), 0);
            EXPECT_LT(RowsWithPictures(dialog), kLongBook / 2);
            EXPECT_EQ(list->currentRow(), test.unreadable == 0 ? 1 : 0);
            if (test.reach == Reach::ScrollToEnd) {
                EXPECT_TRUE(list->item(test.row, 0)->icon().isNull());
                EXPECT_TRUE(list->item(test.row, 0)->flags() & Qt::ItemIsEnabled);
                list->scrollToBottom();
            } else if (test.reach == Reach::Filter) {
                QTest::keyClicks(Filter(dialog), std::to_string(test.unreadable).c_str());
            }
            list->viewport()->repaint();
            const std::string name = "Person " + std::to_string(test.unreadable);
            EXPECT_EQ(Rows(dialog)[static_cast<std::size_t>(test.row)],
                      "[disabled] " + name + " — Photo cannot be read");
            EXPECT_EQ(list->item(test.row, 0)->data(Qt::AccessibleDescriptionRole).toString(),
                      "Photo cannot be read");
        });
    }
}

// Enter on a card whose row was never drawn reads its photo first, and never chooses one that
// cannot be read.
TEST(ChooseContact, EnterOnARowNotYetDrawnChoosesOnlyAReadablePhoto) {
    for (const int unreadable : {kLongBook - 1, kLongBook - 2}) {
        SCOPED_TRACE(unreadable);
        const VCardFile file = LongBook(unreadable);
        CChooseContactDlg dialog(file, nullptr);
        const int result = RunModal(dialog, [&] {
            Cards(dialog)->selectRow(kLongBook - 1);
            QTest::keyClick(Cards(dialog), Qt::Key_Return);
        });
        const bool readable = unreadable != kLongBook - 1;
        EXPECT_EQ(result, readable ? IDOK : IDCANCEL);
        EXPECT_EQ(dialog.GetChosenCard() != nullptr, readable);
    }
}

} // namespace
