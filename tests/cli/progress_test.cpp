// snapfold build's progress line: shown on a terminal, rewritten in place and cleared at the
// end; never seen by a script reading standard error through a pipe, nor with --quiet.

#include "tests/support/cli_runner.h"
#include "tests/support/named_param.h"
#include "tests/support/test_files.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

using named_param::PrintTo;

// Three photos and a manifest naming them; with a broken line the third is no image at all.
void MakeFiles(const TempDir& dir, bool broken) {
    for (int i = 1; i <= 3; ++i) {
        QImage photo(120, 100, QImage::Format_RGB32);
        photo.fill(QColor(40 * i, 60, 200));
        ASSERT_TRUE(photo.save(QString::fromStdString(dir.File(std::to_string(i) + ".png"))));
    }
    if (broken) {
        WriteWholeFile(dir.File("3.png"), {'n', 'o', 't'});
    }
    const std::string manifest = "1,101,1.png\n2,102,2.png\n3,103,3.png\n";
    WriteWholeFile(dir.File("m.csv"), {manifest.begin(), manifest.end()});
}

// Runs snapfold in folder with its standard error on a fresh pseudo-terminal in raw mode, so
// that what it writes arrives byte for byte; standard output goes nowhere.
CliRun RunOnTerminal(const std::string& folder, const std::vector<std::string>& args) {
    termios raw{};
    cfmakeraw(&raw);
    int master = -1;
    const pid_t child = forkpty(&master, nullptr, &raw, nullptr);
    if (child == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        std::vector<char*> argv{const_cast<char*>(SNAPFOLD_CLI)};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        if (chdir(folder.c_str()) == 0) {
            execv(SNAPFOLD_CLI, argv.data());
        }
        _exit(127);
    }
    CliRun run;
    if (child < 0) {
        return run;
    }
    // The terminal reports an error instead of an end once the program has closed it.
    char buffer[4096];
    for (ssize_t n; (n = read(master, buffer, sizeof buffer)) > 0;) {
        run.err.append(buffer, static_cast<std::size_t>(n));
    }
    close(master);
    int status = 0;
    waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

struct ProgressCase {
    std::string name;
    bool terminal;
    std::vector<std::string> extra;
    bool broken = false;
};

const std::vector<ProgressCase> kProgress{
    {"Terminal", true, {}},
    {"TerminalQuiet", true, {"--quiet"}},
    {"TerminalShortQuiet", true, {"-q"}},
    {"TerminalFailure", true, {}, true},
    {"Pipe", false, {}},
    {"PipeQuiet", false, {"--quiet"}},
    {"PipeFailure", false, {}, true},
};

class BuildProgress : public ::testing::TestWithParam<ProgressCase> {};

TEST_P(BuildProgress, ShowsOnATerminalOnlyAndIsClearedAtTheEnd) {
    const ProgressCase& c = GetParam();
    const TempDir dir;
    MakeFiles(dir, c.broken);
    std::vector<std::string> args{"build", "b.bin", "--from", "m.csv"};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const CliRun run =
        c.terminal ? RunOnTerminal(dir.Path(), args) : RunCli(SNAPFOLD_CLI, dir.Path(), args, "");
    ASSERT_EQ(run.status, c.broken ? 1 : 0) << run.err;
    const std::string failure = c.broken ? "snapfold: m.csv:3: 3.png: " : "";
    const bool shown = c.terminal && c.extra.empty();
    if (!shown) {
        EXPECT_EQ(run.err.substr(0, failure.size()), failure);
        EXPECT_EQ(run.err.find("photos"), std::string::npos) << run.err;
        return;
    }
    // Every count from none to all, each from the start of the line, then blanks over it; the
    // failure's message starts on the cleared line.
    const std::string cleared = "\r" + std::string(std::string("3/3 photos").size(), ' ') + "\r";
    std::string expected = "\r0/3 photos";
    for (int done = 1; done <= 3; ++done) {
        expected += "\r" + std::to_string(done) + "/3 photos";
    }
    EXPECT_EQ(run.err.substr(0, expected.size() + cleared.size() + failure.size()),
              expected + cleared + failure);
    EXPECT_EQ(run.err.find('\n') == run.err.size() - 1, c.broken) << run.err;
}

INSTANTIATE_TEST_SUITE_P(Runs, BuildProgress, ::testing::ValuesIn(kProgress),
                         [](const auto& info) { return info.param.name; });

} // namespace
