// snapfold build's manifest: quoted fields, a header line, NUL bytes and the card of a vCard.

#include "tests/cli/cards_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

struct SetStep {
    std::string slot;
    std::string id;
    std::vector<std::string> picture;
};

struct ManifestCase {
    const char* name;
    std::string manifest;
    int status = 0;
    std::string err = {};
    // The pack build must make, as set makes it; for a failure the old pack stays as it was.
    std::vector<SetStep> expected = {};
};

const std::vector<ManifestCase> kCases = {
    {"HeaderInAnyCaseIsSkipped",
     " Slot , ID,Image\r\n1,5,face.jpg\n",
     0,
     "",
     {{"1", "5", {"--picture", "face.jpg"}}}},
    {"HeaderWithCardIsSkipped",
     "\xEF\xBB\xBFslot,id,image,card\n3,9,book.vcf,Bo Ek\n",
     0,
     "",
     {{"3", "9", {"--picture", "face.jpg"}}}},
    {"HeaderOnlyFirst", "1,5,face.jpg\nslot,id,image\n", 1,
     "snapfold: m.csv:2: slot must be a number from 1 to 25, not 'slot'\n"},
    {"QuotedFieldsHoldCommasAndDoubledQuotes",
     "\"1\", \"5\" ,\"a,\"\"b\"\".png\"\n",
     0,
     "",
     {{"1", "5", {"--picture", "cat.png"}}}},
    {"UnquotedImageKeepsItsCommas", "2,6,x,y.png\n", 0, "", {{"2", "6", {"--picture", "cat.png"}}}},
    {"QuoteNotClosed", "1,5,\"face.jpg\n", 1,
     "snapfold: m.csv:1: a quoted field has no closing quote\n"},
    {"TextAfterAClosingQuote", "1,5,\"face\".jpg\n", 1,
     "snapfold: m.csv:1: a quoted field is followed by more than a comma\n"},
    {"NulByteInALine", std::string("1,5,face.jpg\n2,6,fa\0ce.jpg\n", 27), 1,
     "snapfold: m.csv:2: the line holds a NUL byte, which no manifest holds\n"},
    {"NulByteInAComment", std::string("# \0\n1,5,face.jpg\n", 17), 1,
     "snapfold: m.csv:1: the line holds a NUL byte, which no manifest holds\n"},
    {"FourthFieldByNameNumberAndQuoted",
     "1,5,book.vcf,ÅSA BERG\n2,6,\"book.vcf\",9\n3,7,book.vcf,\"Eva, Jr.\"\n",
     0,
     "",
     {{"1", "5", {"--picture", "face.jpg"}},
      {"2", "6", {"--picture", "cat.png"}},
      {"3", "7", {"--picture", "cat.png"}}}},
    {"CardOfNamesakes", "1,5,face.jpg\n2,6,book.vcf,anna\n", 1,
     "snapfold: m.csv:2: book.vcf: 'anna' names cards 8 and 9; give the card's number instead\n"},
    {"MissingCard", "1,5,book.vcf,Zoe\n", 1,
     "snapfold: m.csv:1: book.vcf: no card is named 'Zoe'\n"},
    {"LinkOnlyCard", "1,5,book.vcf,Linus\n", 1,
     "snapfold: m.csv:1: book.vcf: card 6 (Linus) has only a link to its photo "
     "(https://example.org/l.jpg), not the picture\n"},
    {"VCardWithoutCard", "1,5,book.vcf\n", 1,
     "snapfold: m.csv:1: book.vcf: is a vCard file; name its card (--card, or a manifest "
     "line's fourth field)\n"},
    {"CardOfAnImage", "1,5,\"face.jpg\",Bo Ek\n", 1,
     "snapfold: m.csv:1: face.jpg: is not a vCard file, so it has no card to choose\n"},
    {"EmptyCard", "1,5,book.vcf,\n", 1, "snapfold: m.csv:1: the card field is empty\n"},
    {"FiveQuotedFields", "1,5,\"book.vcf\",Bo,Ek\n", 1,
     "snapfold: m.csv:1: expected at most four fields: slot,id,image,card\n"},
};

// The pack set makes with these steps, from empty slots.
Bytes ExpectedPack(const TempDir& dir, const std::vector<SetStep>& steps) {
    std::filesystem::copy_file(dir.File("empty.bin"), dir.File("expected.bin"));
    for (const SetStep& step : steps) {
        std::vector<std::string> args = {"set", "expected.bin", step.slot, "--id", step.id};
        args.insert(args.end(), step.picture.begin(), step.picture.end());
        EXPECT_EQ(Snapfold(dir, args).status, 0);
    }
    return ReadWholeFile(dir.File("expected.bin"));
}

class SnapfoldManifest : public testing::TestWithParam<ManifestCase> {};

TEST_P(SnapfoldManifest, BuildsThePackOrNamesTheBadLine) {
    const ManifestCase& c = GetParam();
    TempDir dir;
    WriteAddressBook(dir);
    WriteWholeFile(dir.File("a,\"b\".png"), ReadWholeFile(dir.File("cat.png")));
    WriteWholeFile(dir.File("x,y.png"), ReadWholeFile(dir.File("cat.png")));
    WriteWholeFile(dir.File("m.csv"), Bytes(c.manifest.begin(), c.manifest.end()));
    // An old pack in the way, which only a good manifest may replace.
    std::filesystem::copy_file(dir.File("empty.bin"), dir.File("out.bin"));
    const CliRun run = Snapfold(dir, {"build", "out.bin", "--force", "--from", "m.csv"});
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.err);
    const Bytes expected =
        c.status == 0 ? ExpectedPack(dir, c.expected) : ReadWholeFile(dir.File("empty.bin"));
    EXPECT_EQ(ReadWholeFile(dir.File("out.bin")), expected);
}

INSTANTIATE_TEST_SUITE_P(Build, SnapfoldManifest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
