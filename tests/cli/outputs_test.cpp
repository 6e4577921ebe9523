// No run writes an output over one of its inputs, whatever name or link leads there; an export
// replaces a link at its name rather than writing through it; info says when a file is no pack.

#include "tests/cli/cli_fixtures.h"
#include "tests/support/named_param.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using named_param::PrintTo;

struct OntoInputCase {
    const char* name;
    std::vector<std::string> args;
    // The name the refusal gives, and the input that must stay as it was.
    std::string output;
    std::string input;
};

const std::vector<OntoInputCase> kOntoInputs{
    {"SheetOntoThePack", {"sheet", "p.bin", "-o", "p.bin"}, "p.bin", "p.bin"},
    {"SheetThroughALink", {"sheet", "p.bin", "-o", "link.png"}, "link.png", "p.bin"},
    {"ExportLinkToThePack",
     {"export", "p.bin", "-o", "out", "--force"},
     "out/slot-01_id-101.png",
     "p.bin"},
    {"BuildOntoAnImage", {"build", "a.bmp", "--force", "--from", "m.csv"}, "a.bmp", "a.bmp"},
    {"BuildOntoTheManifest", {"build", "m.csv", "--force", "--from", "m.csv"}, "m.csv", "m.csv"},
    {"SetPictureOfThePackItself", {"set", "p.bin", "1", "--picture", "p.bin"}, "p.bin", "p.bin"},
};

class OutputOntoInput : public testing::TestWithParam<OntoInputCase> {};

TEST_P(OutputOntoInput, FailsAndLeavesTheInputAlone) {
    const OntoInputCase& c = GetParam();
    TempDir dir;
    WriteWholeFile(dir.File("p.bin"), PackWith({{0, 101}, {1, 102}}, 0x6C));
    WriteWholeFile(dir.File("a.bmp"), SmallBitmap(0xE4));
    WriteWholeFile(dir.File("m.csv"), {'1', ',', '7', ',', 'a', '.', 'b', 'm', 'p', '\n'});
    ASSERT_EQ(::symlink("p.bin", dir.File("link.png").c_str()), 0);
    ASSERT_EQ(::mkdir(dir.File("out").c_str(), 0755), 0);
    ASSERT_EQ(::symlink("../p.bin", dir.File("out/slot-01_id-101.png").c_str()), 0);
    const Bytes before = ReadWholeFile(dir.File(c.input));
    const CliRun run = Snapfold(dir.Path(), c.args);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(c.output + ": is also an input"), std::string::npos) << run.err;
    EXPECT_EQ(ReadWholeFile(dir.File(c.input)), before);
    // An export refused for one file writes none of the others.
    struct stat st {};
    EXPECT_NE(::lstat(dir.File("out/slot-02_id-102.png").c_str(), &st), 0);
}

INSTANTIATE_TEST_SUITE_P(Snapfold, OutputOntoInput, testing::ValuesIn(kOntoInputs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SnapfoldExport, ForceReplacesALinkAtAnExportNameAndLeavesItsTarget) {
    TempDir dir;
    WriteWholeFile(dir.File("p.bin"), PackWith({{0, 101}}, 0x6C));
    const Bytes other(100, 0x42);
    WriteWholeFile(dir.File("other.txt"), other);
    ASSERT_EQ(::mkdir(dir.File("out").c_str(), 0755), 0);
    const std::string name = dir.File("out/slot-01_id-101.png");
    ASSERT_EQ(::symlink("../other.txt", name.c_str()), 0);
    const CliRun run = Snapfold(dir.Path(), {"export", "p.bin", "-o", "out", "--force"});
    EXPECT_EQ(run.status, 0) << run.err;
    struct stat st {};
    ASSERT_EQ(::lstat(name.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode)) << "the link was written through";
    EXPECT_EQ(ReadWholeFile(dir.File("other.txt")), other);
}

struct InfoSizeCase {
    const char* name;
    std::size_t size;
    std::string note;
    bool complete;
};

const std::vector<InfoSizeCase> kInfoSizes{
    {"Short", 100, "snapfold: f.bin: only 100 of 15050 bytes\n", false},
    {"Empty", 0, "snapfold: f.bin: only 0 of 15050 bytes\n", false},
    {"Long", 20050, "snapfold: f.bin: longer than a pack\n", true},
};

class InfoSize : public testing::TestWithParam<InfoSizeCase> {};

TEST_P(InfoSize, NotesTheSizeAndFailsAsCheckDoes) {
    const InfoSizeCase& c = GetParam();
    TempDir dir;
    WriteWholeFile(dir.File("f.bin"), Bytes(c.size, 0));
    const CliRun text = Snapfold(dir.Path(), {"info", "f.bin"});
    EXPECT_EQ(text.status, 1);
    EXPECT_EQ(text.err, c.note);
    EXPECT_NE(text.out.find("25\t0\tempty"), std::string::npos);
    const CliRun json = Snapfold(dir.Path(), {"info", "--json", "f.bin"});
    EXPECT_EQ(json.status, 1);
    EXPECT_NE(json.out.find(std::string("\"complete\":") + (c.complete ? "true" : "false")),
              std::string::npos)
        << json.out;
}

INSTANTIATE_TEST_SUITE_P(Snapfold, InfoSize, testing::ValuesIn(kInfoSizes),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
