// snapfold diff: which slots of two packs differ, with diff(1)'s exit status.

#include "cli/commands/commands.h"
#include "cli/pack_io.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

namespace {

struct DiffOptions {
    std::string first;
    std::string second;
    bool json = false;
};

// A number, or the text for a stream longer than a pack, whose length is not known.
nlohmann::ordered_json JsonSize(const LoadedPack& pack) {
    if (pack.stream && pack.fileSize > PACK_FILE_SIZE) {
        return SizeText(pack);
    }
    return pack.fileSize;
}

void PrintSize(const LoadedPack& a, const LoadedPack& b, bool json) {
    if (json) {
        const nlohmann::ordered_json object{{"size", {JsonSize(a), JsonSize(b)}}};
        std::printf("%s\n", object.dump().c_str());
    } else {
        std::printf("size %s -> %s\n", SizeText(a).c_str(), SizeText(b).c_str());
    }
}

void PrintSlot(int slot, ContactId from, ContactId to, bool pictureSame, bool json) {
    if (json) {
        const nlohmann::ordered_json object{
            {"slot", slot + 1}, {"id", {from, to}}, {"picture", pictureSame ? "same" : "differs"}};
        std::printf("%s\n", object.dump().c_str());
    } else {
        std::printf("%d\tid %d -> %d\tpicture %s\n", slot + 1, from, to,
                    pictureSame ? "same" : "differs");
    }
}

// Prints every difference and tells whether there was any.
bool Compare(const LoadedPack& a, const LoadedPack& b, bool json) {
    bool differ = false;
    if (SizeText(a) != SizeText(b)) {
        PrintSize(a, b, json);
        differ = true;
    }
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        const ContactId from = GetContactId(a.image, slot);
        const ContactId to = GetContactId(b.image, slot);
        const ConstPackPicture pa = GetPicture(a.image, slot);
        const ConstPackPicture pb = GetPicture(b.image, slot);
        const bool pictureSame = std::ranges::equal(pa, pb);
        if (from != to || !pictureSame) {
            PrintSlot(slot, from, to, pictureSame, json);
            differ = true;
        }
    }
    return differ;
}

ExitStatus RunDiff(const DiffOptions& options) {
    if (options.first == kStandardStream && options.second == kStandardStream) {
        ReportFailure(kStandardStream, "standard input can give only one of the two packs");
        return ExitStatus::Usage;
    }
    const auto a = LoadPack(options.first);
    const auto b = a ? LoadPack(options.second) : std::nullopt;
    if (!a || !b) {
        return ExitStatus::Usage;
    }
    return Compare(*a, *b, options.json) ? ExitStatus::Failure : ExitStatus::Success;
}

} // namespace

Command AddDiffCommand(CLI::App& app) {
    auto options = std::make_shared<DiffOptions>();
    CLI::App* command = app.add_subcommand(
        "diff", "Compare two packs: one line per differing slot; exit 0 when they are the same, "
                "1 when they differ, 2 on trouble");
    command->add_option("A", options->first, "The first pack; \"-\" reads standard input")
        ->required();
    command->add_option("B", options->second, "The second pack; \"-\" reads standard input")
        ->required();
    command->add_flag("--json", options->json, "One compact JSON object per difference");
    // Every trouble ends with 2, a usage error and an unreadable file alike, as in diff(1).
    return {command, [options] { return RunDiff(*options); }, ExitStatus::Usage};
}
