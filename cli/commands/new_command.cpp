// snapfold new: an empty pack.

#include "cli/commands/commands.h"
#include "cli/pack_update.h"
#include "cli/write_lock.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <optional>
#include <string>

namespace {

struct NewOptions {
    std::string pack;
    bool force = false;
};

ExitStatus RunNew(const NewOptions& options) {
    return ReplacePack(options.pack, options.force, [] { return std::optional(PackImage{}); });
}

} // namespace

Command AddNewCommand(CLI::App& app) {
    auto options = std::make_shared<NewOptions>();
    CLI::App* command = app.add_subcommand("new", "Write an empty pack: 25 empty slots");
    command->add_option("PACK", options->pack, "The pack to write; \"-\" writes standard output")
        ->required();
    command->add_flag("--force", options->force, "Replace an existing file");
    AddWaitOption(*command);
    return {command, [options] { return RunNew(*options); }};
}
