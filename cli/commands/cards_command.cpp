// snapfold cards: the cards of a vCard file, one line each, or a build manifest to fill in.

#include "cli/card_listing.h"
#include "cli/commands/commands.h"
#include "cli/pack_io.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <string>

namespace {

struct CardsOptions {
    std::string file;
    bool json = false;
    bool manifest = false;
};

std::optional<VCardFile> ReadCardsFile(const std::string& name) {
    const auto bytes = ReadWholeFile(name);
    if (!bytes) {
        ReportSystemFailure(name, "cannot be read");
        return std::nullopt;
    }
    if (!LooksLikeVCard(*bytes)) {
        ReportFailure(name, "is not a vCard file: it does not begin with BEGIN:VCARD");
        return std::nullopt;
    }
    VCardFile file = ReadVCards(*bytes);
    if (!file.error.empty()) {
        ReportFailure(name, file.error);
        return std::nullopt;
    }
    return file;
}

void PrintListing(const CardsOptions& options, const VCardFile& file) {
    for (const Card& card : file.cards) {
        const CardSummary summary = SummariseCard(card);
        const std::string line =
            options.json ? CardJsonLine(card, summary) : CardTextLine(card, summary);
        std::fputs(line.c_str(), stdout);
    }
}

ExitStatus RunCards(const CardsOptions& options) {
    if (options.manifest && options.file == kStandardStream) {
        ReportFailure(options.file,
                      "--manifest needs the vCard as a file, for the manifest to name");
        return ExitStatus::Usage;
    }
    const auto file = ReadCardsFile(options.file);
    if (!file) {
        return ExitStatus::Failure;
    }
    if (options.manifest) {
        std::fputs(CardsManifest(*file, options.file).c_str(), stdout);
    } else {
        PrintListing(options, *file);
    }
    // A card that cannot be read is told apart from the listing, which stays usable as it is.
    for (const SkippedCard& skipped : file->skipped) {
        ReportFailure(options.file,
                      "card " + std::to_string(skipped.number) + " is skipped: " + skipped.reason);
    }
    return file->skipped.empty() ? ExitStatus::Success : ExitStatus::Failure;
}

} // namespace

Command AddCardsCommand(CLI::App& app) {
    auto options = std::make_shared<CardsOptions>();
    CLI::App* command = app.add_subcommand(
        "cards", "List the cards of a vCard file: number, name, and photo as WxH FORMAT, "
                 "\"no photo\" or \"link only\"");
    command->add_option("FILE", options->file, "The vCard file; \"-\" reads standard input")
        ->required();
    CLI::Option* json =
        command->add_flag("--json", options->json, "One compact JSON object per card and line");
    command
        ->add_flag("--manifest", options->manifest,
                   "Print a build manifest instead: the first 25 cards with a photo in slots 1 "
                   "to 25, identifier 0 to fill in, and the card in the fourth field")
        ->excludes(json);
    return {command, [options] { return RunCards(*options); }};
}
