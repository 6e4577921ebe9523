// The rows Choose Contact shows: every card with why it cannot be chosen, and the typed filter.

#include "contacts/contact_rows.h"
#include "tests/contacts/vcard_samples.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

VCardFile RowsFile() {
    static const std::string text = WriteVCard(
        "BEGIN:VCARD\nFN:Åsa Berg\nPHOTO;ENCODING=b:{JPEG}\nEND:VCARD\n"
        "BEGIN:VCARD\nFN:Bo\nEND:VCARD\n"
        "BEGIN:VCARD\nFN:Cut\nPHOTO;ENCODING=b:{JPEG|cut}\nEND:VCARD\n"
        "BEGIN:VCARD\nFN:Linus Berg\nPHOTO;VALUE=uri:https://example.org/l.jpg\nEND:VCARD\n"
        "BEGIN:VCARD\nPHOTO;ENCODING=b:AAAAAAAA\nEND:VCARD\n");
    return ReadVCards({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

TEST(ContactRows, ShowEveryCardInOrderWithWhyItCannotBeChosen) {
    const VCardFile file = RowsFile();
    const std::vector<ContactRow> rows = ContactRows(file);
    ASSERT_EQ(rows.size(), 5u);
    const std::vector<std::tuple<int, std::string, bool, std::string>> expected = {
        {1, "Åsa Berg", true, ""},
        {2, "Bo", false, "No photo"},
        {3, "Card 3", false, "Cannot be read: its photo's base64 data is cut short"},
        {4, "Linus Berg", false, "Only a link to a photo"},
        {5, "Card 5", false, "Photo of an unknown type"},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(std::tie(rows[i].number, rows[i].name, rows[i].usable, rows[i].reason),
                  expected[i]);
        EXPECT_EQ(rows[i].card == nullptr, rows[i].number == 3);
    }
}

TEST(ContactRows, FilterKeepsNamesHoldingTheTextInAnyCase) {
    const VCardFile file = RowsFile();
    const std::vector<ContactRow> rows = ContactRows(file);
    const std::vector<std::pair<std::string, std::vector<std::size_t>>> cases = {
        {"", {0, 1, 2, 3, 4}}, {"BERG", {0, 3}}, {"åsa", {0}}, {"card", {2, 4}}, {"zz", {}}};
    for (const auto& [filter, kept] : cases) {
        SCOPED_TRACE(filter);
        EXPECT_EQ(FilterRows(rows, filter), kept);
    }
}

} // namespace
