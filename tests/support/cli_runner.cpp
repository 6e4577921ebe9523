#include "tests/support/cli_runner.h"

#include <array>
#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string ReadAll(int fd) {
    std::string text;
    std::array<char, 4096> buffer{};
    ssize_t n = 0;
    while ((n = ::read(fd, buffer.data(), buffer.size())) > 0) {
        text.append(buffer.data(), static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
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
    run.out = ReadAll(pipes[2]);
    run.err = ReadAll(pipes[4]);
    int wstatus = 0;
    rusage usage{};
    ::wait4(child, &wstatus, 0, &usage);
    run.peakKiB = usage.ru_maxrss;
    run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    return run;
}
