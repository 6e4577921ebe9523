// The vCard reader on small cards written as each exporter writes them.

#include "contacts/vcard.h"
#include "tests/contacts/vcard_samples.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct ExpectedCard {
    int number;
    std::string name;
    PhotoKind kind;
    // "card_face.jpg", "card_cat.png", or the link for a link-only photo; empty for none.
    std::string photo;
    std::optional<CardCrop> crop = std::nullopt;
};

struct ExpectedSkip {
    int number;
    std::string reason;
};

struct ReaderCase {
    const char* name;
    std::string text;
    LineEnds ends;
    std::vector<ExpectedCard> cards;
    std::vector<ExpectedSkip> skipped = {};
};

const ExpectedCard kFace{1, "Åsa Berg", PhotoKind::Data, "card_face.jpg"};

const std::vector<ReaderCase> kCases = {
    {"AndroidV21QuotedPrintableUtf8WithSoftBreakAndCrLf",
     "BEGIN:VCARD\nVERSION:2.1\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Berg;=C3=85sa;;;\n"
     "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=C3=85sa =\nBerg\n"
     "PHOTO;ENCODING=BASE64;JPEG:{JPEG|two}\n\nEND:VCARD\n",
     LineEnds::CrLf,
     {kFace}},
    {"AndroidV21ContinuationsWithoutSpaceEndAtBlankLine",
     "BEGIN:VCARD\nVERSION:2.1\nFN:Åsa Berg\nPHOTO;ENCODING=BASE64;JPEG:{JPEG|bare}\n\n"
     "TEL;CELL:+46 70 123\nEND:VCARD\n",
     LineEnds::Lf,
     {kFace}},
    {"AndroidV21Latin1QuotedPrintable",
     "BEGIN:VCARD\nVERSION:2.1\nFN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Jos=E9 Mar=EDa\n"
     "END:VCARD\n",
     LineEnds::CrLf,
     {{1, "José María", PhotoKind::None, ""}}},
    {"AndroidV21ShiftJisName",
     "BEGIN:VCARD\nVERSION:2.1\nFN;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:=93=63=92=86\n"
     "END:VCARD\n",
     LineEnds::CrLf,
     {{1, "田中", PhotoKind::None, ""}}},
    {"AndroidV30EncodingB",
     "BEGIN:VCARD\nVERSION:3.0\nFN:Åsa Berg\nPHOTO;ENCODING=B;TYPE=JPEG:{JPEG|space}\n"
     "END:VCARD\n",
     LineEnds::Lf,
     {kFace}},
    {"AppleRepeatedParametersGroupAndCrop",
     "BEGIN:VCARD\nVERSION:3.0\nFN:Åsa Berg\nitem1.PHOTO;ENCODING=b,b;TYPE=JPEG,jpeg;"
     "X-ABCROP-RECTANGLE=ABClipRect_1&4&8&40&44&dGhpcyBpcyBub3Q=:{JPEG|space}\nEND:VCARD\n",
     LineEnds::CrLf,
     {{1, "Åsa Berg", PhotoKind::Data, "card_face.jpg", CardCrop{4, 8, 40, 44}}}},
    {"EvolutionJpegLabelledPng",
     "BEGIN:VCARD\nVERSION:3.0\nFN:Åsa Berg\nPHOTO;TYPE=PNG;ENCODING=b:{JPEG}\nEND:VCARD\n",
     LineEnds::Lf,
     {kFace}},
    {"EvolutionUnknownQuotedType",
     "BEGIN:VCARD\nVERSION:3.0\nFN:Cat\nPHOTO;ENCODING=b;TYPE=\"X-EVOLUTION-UNKNOWN\":{PNG|space}\n"
     "END:VCARD\n",
     LineEnds::Lf,
     {{1, "Cat", PhotoKind::Data, "card_cat.png"}}},
    {"ThunderbirdDataUriWithEscapedComma",
     "BEGIN:VCARD\nVERSION:4.0\nFN:Åsa Berg\nPHOTO:data:image/jpeg;base64\\,{JPEG}\nEND:VCARD\n",
     LineEnds::CrLf,
     {kFace}},
    {"ThunderbirdDataUriWithPlainCommaFolded",
     "BEGIN:VCARD\nVERSION:4.0\nFN:Cat\nPHOTO:data:image/png;base64,{PNG|space}\nEND:VCARD\n",
     LineEnds::Lf,
     {{1, "Cat", PhotoKind::Data, "card_cat.png"}}},
    {"GoogleLinkOnly",
     "BEGIN:VCARD\nVERSION:3.0\nFN:Linus\nPHOTO;VALUE=uri:https://example.org/p/1.jpg\n"
     "END:VCARD\n",
     LineEnds::Lf,
     {{1, "Linus", PhotoKind::Link, "https://example.org/p/1.jpg"}}},
    {"ByteOrderMarkLowerCaseAndGroups",
     "\xEF\xBB\xBF"
     "begin:vcard\nversion:3.0\nitem2.fn:Åsa Berg\nphoto;encoding=b;type=jpeg:{JPEG}\nend:vcard\n",
     LineEnds::Lf,
     {kFace}},
    {"NestedAgentCardIsNotTheOuterCards",
     "BEGIN:VCARD\nVERSION:2.1\nFN:Boss\nAGENT:\nBEGIN:VCARD\nVERSION:2.1\nFN:Assistant\n"
     "PHOTO;ENCODING=BASE64;JPEG:{JPEG|two}\n\nEND:VCARD\nTEL:1\nEND:VCARD\n"
     "BEGIN:VCARD\nVERSION:2.1\nFN:Cat\nPHOTO;ENCODING=BASE64;PNG:{PNG|two}\n\nEND:VCARD\n",
     LineEnds::CrLf,
     {{1, "Boss", PhotoKind::None, ""}, {2, "Cat", PhotoKind::Data, "card_cat.png"}}},
    {"NameFromEscapedPartsWithoutPhoto",
     "BEGIN:VCARD\nVERSION:3.0\nN:Berg\\, Jr.;Anna;;Dr.;\nEND:VCARD\n"
     "BEGIN:VCARD\nVERSION:3.0\nFN:A\\;B\\\\C\\nD\nEND:VCARD\n",
     LineEnds::Lf,
     {{1, "Dr. Anna Berg, Jr.", PhotoKind::None, ""}, {2, "A;B\\C\nD", PhotoKind::None, ""}}},
    {"TruncatedBase64SkipsOnlyItsCard",
     "BEGIN:VCARD\nVERSION:3.0\nFN:Cut\nPHOTO;ENCODING=b:{JPEG|cut}\nEND:VCARD\n"
     "BEGIN:VCARD\nVERSION:3.0\nFN:Åsa Berg\nPHOTO;ENCODING=b:{JPEG}\nEND:VCARD\n",
     LineEnds::Lf,
     {{2, "Åsa Berg", PhotoKind::Data, "card_face.jpg"}},
     {{1, "its photo's base64 data is cut short"}}},
    {"CardWithoutEndIsSkippedAtTheNextBegin",
     "BEGIN:VCARD\nFN:Lost\nBEGIN:VCARD\nFN:Åsa Berg\nPHOTO;ENCODING=b:{JPEG}\nEND:VCARD\n"
     "BEGIN:VCARD\nFN:Last\n",
     LineEnds::Lf,
     {{2, "Åsa Berg", PhotoKind::Data, "card_face.jpg"}},
     {{1, "it has no END:VCARD"}, {3, "the file ends before the card's END:VCARD"}}},
};

class VCardReader : public testing::TestWithParam<ReaderCase> {};

TEST_P(VCardReader, ReadsEachExportersCards) {
    const ReaderCase& c = GetParam();
    const std::string text = WriteVCard(c.text, c.ends);
    const VCardFile file =
        ReadVCards({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    EXPECT_EQ(file.error, "");
    ASSERT_EQ(file.cards.size(), c.cards.size());
    for (std::size_t i = 0; i < c.cards.size(); ++i) {
        SCOPED_TRACE(i);
        const Card& card = file.cards[i];
        const ExpectedCard& expected = c.cards[i];
        EXPECT_EQ(card.number, expected.number);
        EXPECT_EQ(card.name, expected.name);
        EXPECT_EQ(card.photo.kind, expected.kind);
        if (expected.kind == PhotoKind::Data) {
            EXPECT_EQ(card.photo.bytes, TestPhoto(expected.photo));
        }
        EXPECT_EQ(card.photo.link, expected.kind == PhotoKind::Link ? expected.photo : "");
        EXPECT_EQ(card.crop, expected.crop);
    }
    ASSERT_EQ(file.skipped.size(), c.skipped.size());
    for (std::size_t i = 0; i < c.skipped.size(); ++i) {
        EXPECT_EQ(file.skipped[i].number, c.skipped[i].number);
        EXPECT_EQ(file.skipped[i].reason, c.skipped[i].reason);
    }
}

INSTANTIATE_TEST_SUITE_P(Exporters, VCardReader, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

std::span<const std::uint8_t> AsBytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// A megabyte-long unfolded photo line reads whole; one past 16 MiB skips its card alone.
TEST(VCardReaderLimits, LongLinesReadAndOversizedPropertiesSkipTheirCard) {
    const std::vector<std::uint8_t> photo(3 * 1024 * 1024 / 4 * 3, 0xA5);
    const std::string large = Base64(photo);
    const std::string huge(16 * 1024 * 1024 + 4, 'A');
    const std::string text = "BEGIN:VCARD\nFN:Large\nPHOTO;ENCODING=b:" + large +
                             "\nEND:VCARD\nBEGIN:VCARD\nFN:Huge\nPHOTO;ENCODING=b:" + huge +
                             "\nEND:VCARD\nBEGIN:VCARD\nFN:Folded\nPHOTO;ENCODING=b:AAAA\n " +
                             huge + "\nEND:VCARD\nBEGIN:VCARD\nFN:After\nEND:VCARD\n";
    const VCardFile file = ReadVCards(AsBytes(text));
    ASSERT_EQ(file.cards.size(), 2u);
    EXPECT_EQ(file.cards[0].photo.bytes, photo);
    EXPECT_EQ(file.cards[1].name, "After");
    ASSERT_EQ(file.skipped.size(), 2u);
    EXPECT_EQ(file.skipped[0].number, 2);
    EXPECT_EQ(file.skipped[0].reason, "a property is longer than 16 MiB");
    EXPECT_EQ(file.skipped[1].number, 3);
    EXPECT_EQ(file.skipped[1].reason, "a property is longer than 16 MiB");
}

} // namespace
