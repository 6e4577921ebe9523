// snapfold info: every slot of one or more packs, as text lines or as JSON.

#include "cli/commands/commands.h"
#include "cli/pack_io.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

struct InfoOptions {
    std::vector<std::string> packs;
    bool json = false;
};

void PrintText(const LoadedPack& pack) {
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        const ContactId id = GetContactId(pack.image, slot);
        std::printf("%d\t%d\t%s\n", slot + 1, id, id == 0 ? "empty" : "occupied");
    }
}

void PrintJson(const std::string& name, const LoadedPack& pack) {
    nlohmann::ordered_json slots = nlohmann::ordered_json::array();
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        const ContactId id = GetContactId(pack.image, slot);
        slots.push_back({{"slot", slot + 1}, {"id", id}, {"empty", id == 0}});
    }
    const nlohmann::ordered_json object{
        {"file", name}, {"complete", pack.Complete()}, {"slots", std::move(slots)}};
    // A file name need not be valid UTF-8; such bytes are replaced rather than refused.
    const std::string line =
        object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    std::printf("%s\n", line.c_str());
}

// A file of another length is shown as Open shows it, but a script must not take it for a
// pack, so it is said, and the run fails as check does.
bool NoteWrongSize(const std::string& name, const LoadedPack& pack) {
    if (pack.Exact()) {
        return false;
    }
    ReportFailure(name, pack.Complete() ? "longer than a pack"
                                        : "only " + std::to_string(pack.fileSize) + " of " +
                                              std::to_string(PACK_FILE_SIZE) + " bytes");
    return true;
}

ExitStatus RunInfo(const InfoOptions& options) {
    ExitStatus status = ExitStatus::Success;
    for (const std::string& name : options.packs) {
        const auto pack = LoadPack(name);
        if (!pack || NoteWrongSize(name, *pack)) {
            status = ExitStatus::Failure;
        }
        if (!pack) {
            continue;
        }
        if (options.json) {
            PrintJson(name, *pack);
            continue;
        }
        if (options.packs.size() > 1) {
            std::printf("==> %s <==\n", name.c_str());
        }
        PrintText(*pack);
    }
    return status;
}

} // namespace

Command AddInfoCommand(CLI::App& app) {
    auto options = std::make_shared<InfoOptions>();
    CLI::App* info = app.add_subcommand("info", "Print each pack's 25 slots: SLOT, ID and "
                                                "whether the slot is empty or occupied");
    info->add_option("PACK", options->packs, "Pack files; \"-\" reads standard input")->required();
    info->add_flag("--json", options->json,
                   "One compact JSON object per pack and line instead of text");
    return {info, [options] { return RunInfo(*options); }};
}
