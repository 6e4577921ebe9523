#include "tests/support/cli_runner.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A test started with a standard stream closed (CI gives no standard input) would get a pipe
// on that number, which the child's dup2 onto itself would leave close-on-exec: each closed
// one is opened on /dev/null first.
void OpenClosedStandardStreams() {
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(stream, F_GETFD) == -1) {
            // The lowest free number is the closed stream's own.
            static_cast<void>(::open("/dev/null", O_RDWR));
        }
    }
}

// A run that has printed nothing for this long is taken to hang: it is killed, so that the
// test fails with what it printed instead of holding the whole suite.
constexpr int kQuietLimitMs = 240'000;

// Reads standard output and error together until both end, so that a child filling one pipe
// while the other is read (a sanitizer's long report, say) cannot stall both sides.
bool ReadBoth(pid_t child, int outFd, int errFd, std::string& out, std::string& err) {
    std::array<pollfd, 2> fds{{{outFd, POLLIN, 0}, {errFd, POLLIN, 0}}};
    std::array<std::string*, 2> texts{&out, &err};
    std::array<char, 4096> buffer{};
    int live = 2;
    while (live > 0) {
        const int ready = ::poll(fds.data(), fds.size(), kQuietLimitMs);
        if (ready == 0) {
            ::kill(child, SIGKILL);
            for (const pollfd& fd : fds) {
                if (fd.fd >= 0) {
                    ::close(fd.fd);
                }
            }
            return false;
        }
        for (std::size_t i = 0; i < fds.size() && ready > 0; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            const ssize_t n = ::read(fds[i].fd, buffer.data(), buffer.size());
            if (n > 0) {
                texts[i]->append(buffer.data(), static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --live;
            }
        }
    }
    return true;
}

[[noreturn]] void RunChild(const std::string& program, const std::string& folder,
                           const std::vector<std::string>& args, CliLimits limits,
                           const std::array<int, 6>& pipes) {
    ::dup2(pipes[0], STDIN_FILENO);
    ::dup2(pipes[3], STDOUT_FILENO);
    ::dup2(pipes[5], STDERR_FILENO);
    for (const int fd : pipes) {
        ::close(fd);
    }
    if (limits.endlessInput) {
        const int zero = ::open("/dev/zero", O_RDONLY);
        ::dup2(zero, STDIN_FILENO);
        ::close(zero);
    }
    if (limits.fullOutput) {
        const int full = ::open("/dev/full", O_WRONLY);
        ::dup2(full, STDOUT_FILENO);
        ::close(full);
    }
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ::unsetenv("QT_QPA_PLATFORM");
    if (limits.fileSizeLimit > 0) {
        const rlimit limit{static_cast<rlim_t>(limits.fileSizeLimit),
                           static_cast<rlim_t>(limits.fileSizeLimit)};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    if (::chdir(folder.c_str()) == 0) {
        ::execv(program.c_str(), argv.data());
    }
    ::_exit(127);
}

} // namespace

CliRun RunCli(const std::string& program, const std::string& folder,
              const std::vector<std::string>& args, const std::string& input, CliLimits limits) {
    OpenClosedStandardStreams();
    // Read and write ends of standard input, output and error, in that order.
    std::array<int, 6> pipes{};
    for (int i = 0; i < 3; ++i) {
        if (::pipe2(&pipes[static_cast<std::size_t>(2 * i)], O_CLOEXEC) != 0) {
            return {};
        }
    }
    const pid_t child = ::fork();
    if (child == 0) {
        RunChild(program, folder, args, limits, pipes);
    }
    ::close(pipes[0]);
    ::close(pipes[3]);
    ::close(pipes[5]);
    // The inputs are far below a pipe's capacity, so writing them first cannot block; a
    // program that ends without reading them must not end the test with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    if (!input.empty()) {
        [[maybe_unused]] const ssize_t written = ::write(pipes[1], input.data(), input.size());
    }
    ::close(pipes[1]);
    CliRun run;
    if (!ReadBoth(child, pipes[2], pipes[4], run.out, run.err)) {
        run.err += "\n(the test killed this run: it printed nothing for 240 s)\n";
    }
    int wstatus = 0;
    rusage usage{};
    ::wait4(child, &wstatus, 0, &usage);
    run.peakKiB = usage.ru_maxrss;
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    return run;
}
