// snapfold cards, set --card and frame --card on an address book in every exporter's style.

#include "tests/cli/cards_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kSkipped = "snapfold: book.vcf: card 10 is skipped: its photo's base64 data is "
                             "cut short\n";

TEST(SnapfoldCards, ListsEachCardWithItsPhoto) {
    TempDir dir;
    WriteAddressBook(dir);
    const CliRun run = Snapfold(dir, {"cards", "book.vcf"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "1\tÅsa Berg\t64×64 JPEG\n"
                       "2\tBo Ek\t64×64 JPEG\n"
                       "3\tCilla Katt\t56×37 PNG\n"
                       "4\tDan\t64×64 JPEG\n"
                       "5\tEva, Jr.\t56×37 PNG\n"
                       "6\tLinus\tlink only\n"
                       "7\tNils\tno photo\n"
                       "8\tAnna\t64×64 JPEG\n"
                       "9\tanna\t56×37 PNG\n");
    EXPECT_EQ(run.err, kSkipped);
}

TEST(SnapfoldCards, ListsCompactJson) {
    TempDir dir;
    WriteAddressBook(dir);
    const CliRun run = Snapfold(dir, {"cards", "--json", "book.vcf"});
    EXPECT_EQ(run.status, 1);
    const std::string lines = run.out.substr(0, run.out.find("{\"card\":4"));
    EXPECT_EQ(lines, "{\"card\":1,\"name\":\"Åsa Berg\",\"photo\":\"image\",\"format\":\"JPEG\","
                     "\"width\":64,\"height\":64}\n"
                     "{\"card\":2,\"name\":\"Bo Ek\",\"photo\":\"image\",\"format\":\"JPEG\","
                     "\"width\":64,\"height\":64}\n"
                     "{\"card\":3,\"name\":\"Cilla Katt\",\"photo\":\"image\",\"format\":\"PNG\","
                     "\"width\":56,\"height\":37,\"crop\":{\"x\":20,\"y\":0,\"width\":30,"
                     "\"height\":37}}\n");
    EXPECT_NE(run.out.find("{\"card\":6,\"name\":\"Linus\",\"photo\":\"link\",\"link\":"
                           "\"https://example.org/l.jpg\"}\n{\"card\":7,\"name\":\"Nils\","
                           "\"photo\":\"none\"}\n"),
              std::string::npos)
        << run.out;
}

// The manifest names the cards with photos, by name where the name is the card's alone.
TEST(SnapfoldCards, WritesAManifestThatBuildTakes) {
    TempDir dir;
    WriteAddressBook(dir);
    const CliRun run = Snapfold(dir, {"cards", "book.vcf", "--manifest"});
    EXPECT_EQ(run.status, 1);
    const std::string book = dir.File("book.vcf");
    EXPECT_EQ(run.out, "# slot,id,image,card: give each contact's identifier in place of 0, which "
                       "leaves the slot empty.\n"
                       "1,0," +
                           book + ",Åsa Berg\n2,0," + book + ",Bo Ek\n3,0," + book +
                           ",Cilla Katt\n4,0," + book + ",Dan\n5,0," + book +
                           ",\"Eva, Jr.\"\n6,0," + book + ",8\n7,0," + book + ",9\n");
    WriteWholeFile(dir.File("pack.csv"), Bytes(run.out.begin(), run.out.end()));
    const CliRun build = Snapfold(dir, {"build", "friends.bin", "--from", "pack.csv"});
    EXPECT_EQ(build.status, 0) << build.err;
}

struct SetCardCase {
    const char* name;
    std::string card;
    // The same photo as a file, whose slot bytes the card's must match; empty for a failure.
    std::string sameAs;
    int status = 0;
    std::string err = {};
};

const std::vector<SetCardCase> kSetCases = {
    {"AndroidV21", "åsa berg", "face.jpg"},
    {"AndroidV30", "2", "face.jpg"},
    {"EvolutionJpegLabelledPng", "Dan", "face.jpg"},
    {"ThunderbirdDataUri", "EVA, JR.", "cat.png"},
    {"NumberOfOneOfTwoNamesakes", "9", "cat.png"},
    {"Namesakes", "Anna", "", 1,
     "snapfold: book.vcf: 'Anna' names cards 8 and 9; give the card's number instead\n"},
    {"Missing", "Zoe", "", 1, "snapfold: book.vcf: no card is named 'Zoe'\n"},
    {"NoPhoto", "Nils", "", 1, "snapfold: book.vcf: card 7 (Nils) has no photo\n"},
    {"LinkOnly", "6", "", 1,
     "snapfold: book.vcf: card 6 (Linus) has only a link to its photo "
     "(https://example.org/l.jpg), not the picture\n"},
    {"Skipped", "10", "", 1,
     "snapfold: book.vcf: card 10 cannot be read: its photo's base64 data is cut short\n"},
};

class SnapfoldSetCard : public testing::TestWithParam<SetCardCase> {};

TEST_P(SnapfoldSetCard, GivesTheSameSlotAsThePhotoFileOrLeavesThePackAlone) {
    const SetCardCase& c = GetParam();
    TempDir dir;
    WriteAddressBook(dir);
    const Bytes before = ReadWholeFile(dir.File("empty.bin"));
    const CliRun run = Snapfold(
        dir, {"set", "empty.bin", "1", "--id", "7", "--picture", "book.vcf", "--card", c.card});
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.err);
    if (c.sameAs.empty()) {
        EXPECT_EQ(ReadWholeFile(dir.File("empty.bin")), before);
    } else {
        EXPECT_EQ(ReadWholeFile(dir.File("empty.bin")), PackAfterSet(dir, {"--picture", c.sameAs}));
    }
}

INSTANTIATE_TEST_SUITE_P(Cards, SnapfoldSetCard, testing::ValuesIn(kSetCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    std::string err;
};

const std::vector<UsageCase> kUsageCases = {
    {"VCardWithoutCard",
     {"set", "empty.bin", "1", "--picture", "book.vcf"},
     "snapfold: book.vcf: is a vCard file; name its card (--card, or a manifest line's fourth "
     "field)\n"},
    {"CardWithoutVCard",
     {"set", "empty.bin", "1", "--picture", "face.jpg", "--card", "1"},
     "snapfold: face.jpg: is not a vCard file, so it has no card to choose\n"},
    {"CardWithoutPicture", {"set", "empty.bin", "1", "--id", "3", "--card", "1"}, "*"},
    {"FrameVCardWithoutCard",
     {"frame", "book.vcf"},
     "snapfold: book.vcf: is a vCard file; name its card (--card, or a manifest line's fourth "
     "field)\n"},
    {"ManifestOfStandardInput",
     {"cards", "-", "--manifest"},
     "snapfold: -: --manifest needs the vCard as a file, for the manifest to name\n"},
};

class SnapfoldCardUsage : public testing::TestWithParam<UsageCase> {};

TEST_P(SnapfoldCardUsage, IsAUsageErrorThatLeavesThePackAlone) {
    TempDir dir;
    WriteAddressBook(dir);
    const Bytes before = ReadWholeFile(dir.File("empty.bin"));
    const CliRun run = Snapfold(dir, GetParam().args);
    EXPECT_EQ(run.status, 2);
    if (GetParam().err != "*") {
        EXPECT_EQ(run.err, GetParam().err);
    }
    EXPECT_EQ(ReadWholeFile(dir.File("empty.bin")), before);
}

INSTANTIATE_TEST_SUITE_P(Cards, SnapfoldCardUsage, testing::ValuesIn(kUsageCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The crop comes first: the card gives another picture than its whole photo, and its frame lies
// inside the crop, given in the whole photo's pixels.
TEST(SnapfoldCardCrop, FramesInsideTheCrop) {
    TempDir dir;
    WriteAddressBook(dir);
    EXPECT_NE(PackAfterSet(dir, {"--picture", "book.vcf", "--card", "3"}),
              PackAfterSet(dir, {"--picture", "cat.png"}));
    const CliRun frame = Snapfold(dir, {"frame", "--card", "Cilla Katt", "book.vcf"});
    EXPECT_EQ(frame.status, 0) << frame.err;
    EXPECT_EQ(frame.out, "book.vcf\tcentre\t20 3 30 31\n");
}

} // namespace
