#include "cli/snapfold_app.h"

#include "cli/commands/commands.h"
#include "cli/pack_io.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>
#include <vector>

namespace {

constexpr const char* kDescription =
    "Reads, checks and writes Snapfold packs: 25 slots, each a contact identifier and a 48x50 "
    "picture in four greys. Slots are numbered 1 to 25. \"-\" as PACK means standard input or "
    "standard output.";

// CLI11's errors carry codes of their own; a caller sees one status for every usage error,
// and help, which CLI11 reports through the same path, is a success.
int ReportParseError(const CLI::App& app, const CLI::ParseError& error) {
    if (error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) {
        return app.exit(error);
    }
    std::fprintf(stderr, "snapfold: %s\nRun with --help for more information.\n", error.what());
    return static_cast<int>(ExitStatus::Usage);
}

// The program itself takes no argument but --help, so the first word that is no option must
// name a subcommand; CLI11 would only say that one is required.
const char* UnknownSubcommand(int argc, char** argv, const std::vector<Command>& commands) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-') {
            continue;
        }
        for (const Command& command : commands) {
            if (command.parser->get_name() == argv[i]) {
                return nullptr;
            }
        }
        return argv[i];
    }
    return nullptr;
}

int RunParsed(CLI::App& app, int argc, char** argv, const std::vector<Command>& commands) {
    if (const char* unknown = UnknownSubcommand(argc, argv, commands)) {
        std::fprintf(stderr,
                     "snapfold: '%s' is no subcommand\nRun with --help for more information.\n",
                     unknown);
        return static_cast<int>(ExitStatus::Usage);
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return FinishStandardOutput(ReportParseError(app, error),
                                    static_cast<int>(ExitStatus::Failure));
    }
    const CLI::App* chosen = app.get_subcommands().front();
    for (const Command& command : commands) {
        if (command.parser == chosen) {
            const int status = static_cast<int>(command.run());
            return FinishStandardOutput(status, static_cast<int>(command.trouble));
        }
    }
    return static_cast<int>(ExitStatus::Usage);
}

} // namespace

int RunSnapfold(int argc, char** argv) {
    CLI::App app(kDescription, "snapfold");
    app.require_subcommand(1);
    const std::vector<Command> commands{
        AddInfoCommand(app),  AddNewCommand(app),    AddSetCommand(app),   AddRemoveCommand(app),
        AddSwapCommand(app),  AddExportCommand(app), AddBuildCommand(app), AddCheckCommand(app),
        AddSheetCommand(app), AddDiffCommand(app),   AddFrameCommand(app), AddCardsCommand(app),
    };
    return RunParsed(app, argc, argv, commands);
}
