// snapfold remove: empties slots, as the editor's "Remove Contact" does.

#include "cli/commands/commands.h"
#include "cli/pack_io.h"
#include "cli/pack_update.h"
#include "cli/slot_arg.h"
#include "cli/write_lock.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <vector>

namespace {

struct RemoveOptions {
    std::string pack;
    std::vector<std::string> slots;
    bool force = false;
};

ExitStatus RunRemove(const RemoveOptions& options) {
    const auto slots = ParseSlotNumbers(options.slots, options.pack);
    if (!slots) {
        return ExitStatus::Usage;
    }
    const SizeRule rule = options.force ? SizeRule::AllowLonger : SizeRule::Exact;
    return UpdatePack(options.pack, rule, [&](PackImage& pack) {
        // Only the identifier goes; the picture bytes stay, exactly as in the editor.
        for (const int slot : *slots) {
            SetContactId(pack, slot, 0);
        }
        return ExitStatus::Success;
    });
}

} // namespace

Command AddRemoveCommand(CLI::App& app) {
    auto options = std::make_shared<RemoveOptions>();
    CLI::App* command = app.add_subcommand(
        "remove", "Empty slots, keeping their picture bytes as the editor's Remove Contact does");
    command
        ->add_option("PACK", options->pack,
                     "The pack; \"-\" reads standard input and writes "
                     "standard output")
        ->required();
    command->add_option("SLOT", options->slots, "Slot numbers, 1 to 25")->required();
    command->add_flag("--force", options->force,
                      "Change a file longer than a pack, keeping its first 15050 bytes");
    AddWaitOption(*command);
    return {command, [options] { return RunRemove(*options); }};
}
