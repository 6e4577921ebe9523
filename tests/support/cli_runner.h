// Running the built snapfold as a user's shell would, for the black-box tests.
#pragma once

#include <string>
#include <vector>

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
    // What the run cost, from the kernel's account of the child: its peak resident memory and
    // its processor time, user and system together.
    long peakKiB = 0;
    double cpuSeconds = 0;
};

struct CliLimits {
    // RLIMIT_FSIZE for the run, in bytes; 0 leaves the limit alone.
    long fileSizeLimit = 0;
    // Standard output goes to /dev/full, where every write fails with ENOSPC.
    bool fullOutput = false;
    // Standard input comes from /dev/zero, which never ends.
    bool endlessInput = false;
};

// Runs the program in folder with args and input on standard input. The environment loses
// DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM, so every run shows that no display is needed.
CliRun RunCli(const std::string& program, const std::string& folder,
              const std::vector<std::string>& args, const std::string& input,
              CliLimits limits = {});
