// snapfold run several times at once, and ended by a signal in the middle of its work.

#include "pack/pack_image.h"
#include "tests/support/cli_runner.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

int IdAt(const Bytes& pack, int slot) {
    return static_cast<std::int16_t>(pack[2 * slot] | pack[2 * slot + 1] << 8);
}

// Without the update lock, one of two runs that read the pack at once saves over the other's
// change; each round must keep both.
TEST(SnapfoldRace, TwoUpdatesOfOnePackKeepBothChanges) {
    TempDir dir;
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        WriteWholeFile(dir.File("p.bin"), Bytes(PACK_FILE_SIZE, 0));
        CliRun first, second;
        std::thread other([&] {
            first = RunCli(SNAPFOLD_CLI, dir.Path(), {"set", "p.bin", "1", "--id", "11"}, "");
        });
        second = RunCli(SNAPFOLD_CLI, dir.Path(), {"swap", "p.bin", "7", "25"}, "");
        const CliRun third =
            RunCli(SNAPFOLD_CLI, dir.Path(), {"set", "p.bin", "25", "--id", "22"}, "");
        other.join();
        EXPECT_EQ(first.status, 0) << first.err;
        EXPECT_EQ(second.status, 0) << second.err;
        EXPECT_EQ(third.status, 0) << third.err;
        const Bytes pack = ReadWholeFile(dir.File("p.bin"));
        EXPECT_EQ(IdAt(pack, 0), 11);
        EXPECT_EQ(IdAt(pack, 24), 22);
    }
}

// Two runs started together on different slots, so that both read before either saves.
TEST(SnapfoldRace, ConcurrentSetsOnDifferentSlotsBothLand) {
    TempDir dir;
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        WriteWholeFile(dir.File("p.bin"), Bytes(PACK_FILE_SIZE, 0));
        std::vector<CliRun> runs(4);
        std::vector<std::thread> threads;
        for (int i = 0; i < 4; ++i) {
            threads.emplace_back([&, i] {
                runs[i] = RunCli(
                    SNAPFOLD_CLI, dir.Path(),
                    {"set", "p.bin", std::to_string(i + 1), "--id", std::to_string(100 + i)}, "");
            });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
        const Bytes pack = ReadWholeFile(dir.File("p.bin"));
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(runs[i].status, 0) << runs[i].err;
            EXPECT_EQ(IdAt(pack, i), 100 + i) << "slot " << i + 1;
        }
    }
}

pid_t Start(const std::string& folder, const std::vector<std::string>& args) {
    const pid_t child = ::fork();
    if (child == 0) {
        std::vector<char*> argv{const_cast<char*>(SNAPFOLD_CLI)};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        if (::chdir(folder.c_str()) == 0) {
            ::execv(SNAPFOLD_CLI, argv.data());
        }
        ::_exit(127);
    }
    return child;
}

bool HoldsHiddenFile(const TempDir& dir) {
    for (const std::string& name : dir.Entries()) {
        if (name.starts_with(".")) {
            return true;
        }
    }
    return false;
}

// Each signal that ends a save must take its temporary file along. The signal is sent the
// moment a temporary file is seen, so that it lands inside a save.
TEST(SnapfoldSignal, EndingDuringASaveLeavesNoTemporaryFile) {
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        int caught = 0;
        for (int attempt = 0; attempt < 200 && caught < 3; ++attempt) {
            TempDir dir;
            WriteWholeFile(dir.File("p.bin"), Bytes(PACK_FILE_SIZE, 1));
            const pid_t child = Start(dir.Path(), {"set", "p.bin", "1", "--id", "5"});
            bool seen = false;
            int status = 0;
            while (!seen && ::waitpid(child, &status, WNOHANG) == 0) {
                seen = HoldsHiddenFile(dir);
            }
            if (seen) {
                ::kill(child, signal);
                ::waitpid(child, &status, 0);
            }
            if (WIFSIGNALED(status)) {
                ++caught;
                EXPECT_EQ(WTERMSIG(status), signal);
                EXPECT_FALSE(HoldsHiddenFile(dir)) << testing::PrintToString(dir.Entries());
            }
        }
        EXPECT_GT(caught, 0) << "no run was caught inside a save";
    }
}

} // namespace
