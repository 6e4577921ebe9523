// The subcommands of snapfold. Each adds itself to the command line and hands back what runs it
// once the whole line has been parsed, so that parsing and running stay apart.
#pragma once

#include <functional>

namespace CLI {
class App;
}

// What snapfold tells its caller when it ends.
enum class ExitStatus : int {
    Success = 0,
    // Something could not be done, or check found a warning or an error.
    Failure = 1,
    // The command line asks for something that cannot be: an unknown option, a slot outside
    // 1-25 or an identifier out of range.
    Usage = 2,
};

struct Command {
    // The subcommand as the command line knows it.
    CLI::App* parser = nullptr;
    // Runs it, once the whole command line has been parsed into the options it refers to.
    std::function<ExitStatus()> run;
    // The status when its output cannot be written: diff keeps 1 for packs that differ.
    ExitStatus trouble = ExitStatus::Failure;
};

Command AddInfoCommand(CLI::App& app);
Command AddNewCommand(CLI::App& app);
Command AddSetCommand(CLI::App& app);
Command AddRemoveCommand(CLI::App& app);
Command AddExportCommand(CLI::App& app);
Command AddBuildCommand(CLI::App& app);
Command AddCheckCommand(CLI::App& app);
Command AddSwapCommand(CLI::App& app);
Command AddSheetCommand(CLI::App& app);
Command AddDiffCommand(CLI::App& app);
Command AddFrameCommand(CLI::App& app);
Command AddCardsCommand(CLI::App& app);
