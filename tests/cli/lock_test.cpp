// Every run that writes a pack takes its lock for the whole read-change-write: races between
// commands lose nothing, waiting is said and bounded, and temporaries of killed saves go.

#include "tests/cli/cli_fixtures.h"
#include "tests/support/named_param.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using named_param::PrintTo;

// Two runs started together, so that both read before either saves when nothing keeps them
// apart.
std::pair<CliRun, CliRun> RunTogether(const std::string& folder,
                                      const std::vector<std::string>& first,
                                      const std::vector<std::string>& second) {
    CliRun a, b;
    std::thread other([&] { a = Snapfold(folder, first); });
    b = Snapfold(folder, second);
    other.join();
    return {a, b};
}

struct RaceCase {
    const char* name;
    std::vector<std::string> replace;
    std::vector<std::string> change;
    // Whether the pack afterwards is one that running the two in some order gives.
    std::function<bool(const Bytes&)> serial;
};

// The old pack has 11 in slot 1; a replacing run that saved without the lock is undone by the
// changing run's save of the old pack, and 11 comes back.
const std::vector<RaceCase> kRaces{
    {"BuildAgainstSetPicture",
     {"build", "p.bin", "--force", "--from", "m.csv"},
     {"set", "p.bin", "5", "--picture", "b.bmp"},
     [](const Bytes& pack) {
         return IdAt(pack, 0) == 0 && IdAt(pack, 1) == 222 &&
                (PictureAt(pack, 4) == Bytes(PICTURE_BYTES, 0) ||
                 PictureAt(pack, 4) == Bytes(PICTURE_BYTES, 0x1B));
     }},
    {"NewAgainstSwap",
     {"new", "p.bin", "--force"},
     {"swap", "p.bin", "1", "2"},
     [](const Bytes& pack) { return pack == PackWith({}, 0); }},
};

class CommandRace : public testing::TestWithParam<RaceCase> {};

TEST_P(CommandRace, NothingFromASuccessfulRunIsLost) {
    const RaceCase& race = GetParam();
    TempDir dir;
    WriteWholeFile(dir.File("a.bmp"), SmallBitmap(0xE4));
    WriteWholeFile(dir.File("b.bmp"), SmallBitmap(0x1B));
    WriteWholeFile(dir.File("m.csv"), {'2', ',', '2', '2', '2', ',', 'a', '.', 'b', 'm', 'p'});
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        WriteWholeFile(dir.File("p.bin"), PackWith({{0, 11}}, 0xFF));
        const auto [replaced, changed] = RunTogether(dir.Path(), race.replace, race.change);
        ASSERT_EQ(replaced.status, 0) << replaced.err;
        ASSERT_EQ(changed.status, 0) << changed.err;
        ASSERT_TRUE(race.serial(ReadWholeFile(dir.File("p.bin"))));
    }
}

INSTANTIATE_TEST_SUITE_P(Snapfold, CommandRace, testing::ValuesIn(kRaces),
                         [](const auto& info) { return std::string(info.param.name); });

// The lock as another program would hold it.
class HeldLock {
public:
    explicit HeldLock(const std::string& path) : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        EXPECT_EQ(::flock(m_fd, LOCK_EX), 0);
    }
    ~HeldLock() { Release(); }
    void Release() {
        if (m_fd >= 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }

private:
    int m_fd;
};

TEST(SnapfoldLock, WaitRunsOutWithInUseAndTheUntouchedPack) {
    TempDir dir;
    const Bytes old = PackWith({{0, 11}});
    WriteWholeFile(dir.File("p.bin"), old);
    const HeldLock held(dir.File("p.bin"));
    const auto start = std::chrono::steady_clock::now();
    const CliRun run = Snapfold(dir.Path(), {"set", "p.bin", "1", "--id", "5", "--wait", "1"});
    const std::chrono::duration<double> waited = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("p.bin: is in use by another program"), std::string::npos) << run.err;
    EXPECT_GE(waited.count(), 0.9);
    EXPECT_EQ(ReadWholeFile(dir.File("p.bin")), old);
}

TEST(SnapfoldLock, ALongWaitIsSaidOnceAndEndsWithTheChange) {
    TempDir dir;
    WriteWholeFile(dir.File("p.bin"), PackWith({}));
    HeldLock held(dir.File("p.bin"));
    CliRun run;
    std::thread waiting([&] { run = Snapfold(dir.Path(), {"new", "p.bin", "--force"}); });
    std::this_thread::sleep_for(std::chrono::milliseconds(1600));
    // Still waiting: the pack is as it was.
    EXPECT_EQ(ReadWholeFile(dir.File("p.bin")), PackWith({}));
    WriteWholeFile(dir.File("p.bin"), PackWith({{3, 33}}));
    held.Release();
    waiting.join();
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "snapfold: p.bin: waiting for another program to finish with it\n");
    EXPECT_EQ(ReadWholeFile(dir.File("p.bin")), PackWith({}));
}

TEST(SnapfoldLock, TemporariesNoSaveOwnsAreRemovedOthersKept) {
    TempDir dir;
    WriteWholeFile(dir.File("p.bin"), PackWith({}));
    for (const char* name : {".p.bin.snapfold-k1LLed", ".p.bin.snapfold-Owned1", ".p.bin.keep",
                             ".q.bin.snapfold-k1LLed"}) {
        WriteWholeFile(dir.File(name), PackWith({{0, 1}}));
    }
    // A save still at work holds the lock on its temporary file.
    const HeldLock owned(dir.File(".p.bin.snapfold-Owned1"));
    const CliRun run = Snapfold(dir.Path(), {"set", "p.bin", "1", "--id", "5"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{".p.bin.keep", ".p.bin.snapfold-Owned1",
                                                       ".q.bin.snapfold-k1LLed", "p.bin"}));
}

TEST(SnapfoldLock, SpecialFilesAreNamedAsSuch) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    WriteWholeFile(dir.File("m.csv"), {});
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"new", "--force", "/dev/null"},
                                               {"new", "--force", "fifo"},
                                               {"build", "fifo", "--force", "--from", "m.csv"},
                                               {"sheet", "m.csv", "-o", "/dev/null"}}) {
        SCOPED_TRACE(testing::PrintToString(args));
        const CliRun run = Snapfold(dir.Path(), args);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(": is not a regular file"), std::string::npos) << run.err;
    }
}

} // namespace
