// snapfold set: a slot's identifier, picture or both.

#include "cli/commands/commands.h"
#include "cli/conversion_options.h"
#include "cli/input_files.h"
#include "cli/pack_io.h"
#include "cli/pack_update.h"
#include "cli/picture_input.h"
#include "cli/slot_arg.h"
#include "cli/write_lock.h"
#include "pack/contact_id.h"
#include "res/texts.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct SetOptions {
    std::string pack;
    std::string slot;
    std::optional<std::string> id;
    std::optional<std::string> picture;
    std::optional<std::string> card;
    PictureOptions conversion;
    bool force = false;
};

// A picture stored on an empty slot is kept but never shown, which a user would not guess.
void NoteEmptySlot(const SetOptions& options, const PackImage& pack, int slot) {
    if (options.picture && GetContactId(pack, slot) == 0) {
        ReportFailure(options.pack, "note: slot " + std::to_string(slot + 1) +
                                        " is empty, so its picture is not shown until it gets "
                                        "an identifier (--id)");
    }
}

ExitStatus RunSet(const SetOptions& options) {
    const auto slot = ParseSlotNumber(options.slot);
    if (!slot) {
        ReportFailure(options.pack, std::string(kBadSlotMessage) + ", not '" + options.slot + "'");
        return ExitStatus::Usage;
    }
    const auto id = options.id ? ParseContactId(*options.id) : std::nullopt;
    if (options.id && !id) {
        ReportFailure(options.pack, res::kBadIdMessage);
        return ExitStatus::Usage;
    }
    if (options.pack == kStandardStream && options.picture == kStandardStream) {
        ReportFailure(kStandardStream, "standard input cannot hold both the pack and the picture");
        return ExitStatus::Usage;
    }
    if (options.picture) {
        InputFiles inputs;
        inputs.Add(*options.picture);
        if (inputs.RefuseOutput(options.pack)) {
            return ExitStatus::Failure;
        }
    }
    const SizeRule rule = options.force ? SizeRule::AllowLonger : SizeRule::Exact;
    return UpdatePack(options.pack, rule, [&](PackImage& pack) {
        if (options.picture) {
            const PictureResult picture =
                ReadPicture({*options.picture, options.card}, options.conversion);
            if (!picture.picture) {
                ReportFailure(*options.picture, picture.error.message);
                return picture.error.usage ? ExitStatus::Usage : ExitStatus::Failure;
            }
            std::ranges::copy(*picture.picture, GetPicture(pack, *slot).begin());
        }
        if (id) {
            SetContactId(pack, *slot, *id);
        }
        NoteEmptySlot(options, pack, *slot);
        return ExitStatus::Success;
    });
}

} // namespace

Command AddSetCommand(CLI::App& app) {
    auto options = std::make_shared<SetOptions>();
    CLI::App* command = app.add_subcommand("set", "Set a slot's identifier, picture or both");
    command
        ->add_option("PACK", options->pack,
                     "The pack; \"-\" reads standard input and writes "
                     "standard output")
        ->required();
    command->add_option("SLOT", options->slot, "The slot, 1 to 25")->required();
    CLI::Option* id = command->add_option(
        "--id", options->id, "The contact identifier, -32768 to 65535; 0 empties the slot");
    CLI::Option* picture = command->add_option(
        "--picture", options->picture,
        "Any image, converted as the editor's Import Image converts it; a 48x50 BMP of at most "
        "8 bits per pixel is taken as the editor's Set new Picture takes it, unless a "
        "conversion option is given; a vCard file gives the photo of the card --card names; "
        "\"-\" reads standard input");
    command
        ->add_option("--card", options->card,
                     "The card whose photo --picture's vCard file gives: its number as `snapfold "
                     "cards` lists it, or its whole name in any case")
        ->needs(picture);
    command->add_flag("--force", options->force,
                      "Change a file longer than a pack, keeping its first 15050 bytes");
    // Each conversion option needs --picture.
    const auto conversion = AddConversionOptions(*command, options->conversion);
    for (CLI::Option* option : conversion) {
        option->needs(picture);
    }
    command->callback([options, id, picture, conversion] {
        // At least one of the two must be given, or the command would only rewrite the pack.
        if (id->count() == 0 && picture->count() == 0) {
            throw CLI::RequiredError("--id or --picture");
        }
        options->conversion.converting = AnyGiven(conversion);
    });
    AddWaitOption(*command);
    return {command, [options] { return RunSet(*options); }};
}
