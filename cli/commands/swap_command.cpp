// snapfold swap: two slots change places, identifiers and pictures alike, as the editor's
// Move Up and Move Down do with neighbours.

#include "cli/commands/commands.h"
#include "cli/pack_io.h"
#include "cli/pack_update.h"
#include "cli/slot_arg.h"
#include "cli/write_lock.h"
#include "pack/slot_swap.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <vector>

namespace {

struct SwapOptions {
    std::string pack;
    std::vector<std::string> slots;
    bool force = false;
};

ExitStatus RunSwap(const SwapOptions& options) {
    const auto slots = ParseSlotNumbers(options.slots, options.pack);
    if (!slots) {
        return ExitStatus::Usage;
    }
    const SizeRule rule = options.force ? SizeRule::AllowLonger : SizeRule::Exact;
    if ((*slots)[0] == (*slots)[1]) {
        // Nothing changes, but the pack is still read, so that a missing or wrong file is
        // reported as by any other change.
        return LoadPackToChange(options.pack, rule) ? ExitStatus::Success : ExitStatus::Failure;
    }
    return UpdatePack(options.pack, rule, [&](PackImage& pack) {
        SwapSlots(pack, (*slots)[0], (*slots)[1]);
        return ExitStatus::Success;
    });
}

} // namespace

Command AddSwapCommand(CLI::App& app) {
    auto options = std::make_shared<SwapOptions>();
    CLI::App* command =
        app.add_subcommand("swap", "Swap two slots: their identifiers and their pictures");
    command
        ->add_option("PACK", options->pack,
                     "The pack; \"-\" reads standard input and writes standard output")
        ->required();
    command->add_option("SLOT", options->slots, "Two slot numbers, 1 to 25")
        ->required()
        ->expected(2);
    command->add_flag("--force", options->force,
                      "Change a file longer than a pack, keeping its first 15050 bytes");
    AddWaitOption(*command);
    return {command, [options] { return RunSwap(*options); }};
}
