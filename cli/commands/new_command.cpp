// snapfold new: an empty pack.

#include "cli/commands/commands.h"
#include "cli/pack_io.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <string>

namespace {

struct NewOptions {
    std::string pack;
    bool force = false;
};

ExitStatus RunNew(const NewOptions& options) {
    if (!options.force && options.pack != kStandardStream && PathExists(options.pack)) {
        ReportFailure(options.pack, "already exists; give --force to replace it");
        return ExitStatus::Failure;
    }
    const PackImage empty{};
    return StoreFile(options.pack, empty) ? ExitStatus::Success : ExitStatus::Failure;
}

} // namespace

Command AddNewCommand(CLI::App& app) {
    auto options = std::make_shared<NewOptions>();
    CLI::App* command = app.add_subcommand("new", "Write an empty pack: 25 empty slots");
    command->add_option("PACK", options->pack, "The pack to write; \"-\" writes standard output")
        ->required();
    command->add_flag("--force", options->force, "Replace an existing file");
    return {command, [options] { return RunNew(*options); }};
}
