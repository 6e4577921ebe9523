// Save under the file's lock, through the real window: a pack that another program changed
// since it was opened, or a file that is no pack, is replaced only when the user says so, and
// a file kept busy by another program is reported with the editor's changes kept.

#include "editor/editor_dlg.h"
#include "pack/pack_image.h"
#include "res/resource.h"
#include "tests/support/cli_runner.h"
#include "tests/support/gui_support.h"
#include "tests/support/named_param.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using named_param::PrintTo;
using Bytes = std::vector<std::uint8_t>;

enum Answer { kYes, kNo };

const std::string kChanged =
    "The file has changed on disk since it was opened. Replace it with the editor's pack?";

Bytes PackWithId(int slot, int id, std::size_t size = PACK_FILE_SIZE) {
    PackImage pack{};
    SetContactId(pack, slot, id);
    Bytes bytes(pack.begin(), pack.end());
    bytes.resize(size, 0x5A);
    return bytes;
}

struct ConflictCase {
    const char* name;
    // The file before Open.
    Bytes opened;
    // What another program does to it between Open and Save.
    std::vector<std::vector<std::string>> script;
    // The question Save must ask, if any, and the answer given.
    std::optional<std::string> question;
    Answer answer;
    // Whether the editor's pack ends up on disk; otherwise the disk keeps what it had.
    bool replaced;
};

const std::vector<ConflictCase> kConflicts{
    {"ScriptChangedTwoSlotsAndNoKeepsThem",
     PackWithId(2, 7),
     {{"set", "p.bin", "1", "--id", "11"}, {"set", "p.bin", "2", "--id", "12"}},
     kChanged,
     kNo,
     false},
    {"ScriptChangedTwoSlotsAndYesReplacesThem",
     PackWithId(2, 7),
     {{"set", "p.bin", "1", "--id", "11"}, {"set", "p.bin", "2", "--id", "12"}},
     kChanged,
     kYes,
     true},
    {"NothingChangedAndNothingIsAsked", PackWithId(2, 7), {}, std::nullopt, kNo, true},
    {"LongFileAndNoLeavesItWhole",
     PackWithId(2, 7, 20050),
     {},
     "The file is not a Snapfold pack of 15050 bytes (it has 20050 bytes). Replace it?",
     kNo,
     false},
    {"LongFileAndYesCutsIt",
     PackWithId(2, 7, 20050),
     {},
     "The file is not a Snapfold pack of 15050 bytes (it has 20050 bytes). Replace it?",
     kYes,
     true},
};

class SaveConflict : public testing::TestWithParam<ConflictCase> {
protected:
    void SetUp() override {
        ClearPackImage(g_pack);
        g_packLoaded = false;
    }
    void Click(int button, const std::string& chosen) {
        ui.Answer(chosen);
        ClickButton(dlg, button);
    }

    TempDir dir;
    ScriptedUi ui;
    CEditorDlg dlg;
};

TEST_P(SaveConflict, AsksBeforeReplacingWhatTheEditorDoesNotKnow) {
    const ConflictCase& c = GetParam();
    const std::string path = dir.File("p.bin");
    WriteWholeFile(path, c.opened);
    RunModal(dlg, [&] {
        Click(IDC_OPEN_PACK, path);
        for (const auto& args : c.script) {
            const CliRun run = RunCli(SNAPFOLD_CLI, dir.Path(), args, "");
            ASSERT_EQ(run.status, 0) << run.err;
        }
        const Bytes disk = ReadWholeFile(path);
        SetIdOfRow(dlg, 4, "21");
        ui.AnswerQuestion(c.answer);
        Click(IDC_SAVE_PACK, path);
        ASSERT_EQ(ui.questions.size(), c.question ? 1u : 0u);
        if (c.question) {
            EXPECT_EQ(ui.questions[0].text, *c.question);
            EXPECT_EQ(ui.questions[0].buttons, (std::vector<std::string>{"Yes", "No"}));
        }
        const Bytes editors(g_pack.begin(), g_pack.end());
        EXPECT_EQ(GetContactId(g_pack, 4), 21) << "the editor's change was lost";
        EXPECT_EQ(ReadWholeFile(path), c.replaced ? editors : disk);
        EXPECT_EQ(dlg.IsModified(), !c.replaced);
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"p.bin"});
    });
}

INSTANTIATE_TEST_SUITE_P(Editor, SaveConflict, testing::ValuesIn(kConflicts),
                         [](const auto& info) { return std::string(info.param.name); });

// A save after the first knows the file as the editor wrote it: the next save asks nothing.
TEST_F(SaveConflict, TheEditorsOwnSaveIsNoChange) {
    const std::string path = dir.File("p.bin");
    WriteWholeFile(path, PackWithId(2, 7));
    RunModal(dlg, [&] {
        Click(IDC_OPEN_PACK, path);
        SetIdOfRow(dlg, 4, "21");
        Click(IDC_SAVE_PACK, path);
        SetIdOfRow(dlg, 5, "22");
        Click(IDC_SAVE_PACK, path);
        EXPECT_TRUE(ui.questions.empty());
        EXPECT_EQ(ReadWholeFile(path), Bytes(g_pack.begin(), g_pack.end()));
    });
}

TEST_F(SaveConflict, AFileInUseIsSaidAndTheChangesAreKept) {
    const std::string path = dir.File("p.bin");
    const Bytes old = PackWithId(2, 7);
    WriteWholeFile(path, old);
    RunModal(dlg, [&] {
        Click(IDC_OPEN_PACK, path);
        SetIdOfRow(dlg, 4, "21");
        // Another program holds the lock for longer than Save waits.
        const int held = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_EQ(::flock(held, LOCK_EX), 0);
        Click(IDC_SAVE_PACK, path);
        ::close(held);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "The file is in use by another program. Your changes are "
                                       "kept; try saving again later.");
        EXPECT_EQ(ReadWholeFile(path), old);
        EXPECT_TRUE(dlg.IsModified());
        EXPECT_EQ(GetContactId(g_pack, 4), 21);
    });
}

} // namespace
