// snapfold check: what is wrong or odd in a pack, one finding per line.

#include "cli/commands/commands.h"
#include "cli/pack_io.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

enum class Severity { Error, Warning, Note };

struct Finding {
    Severity severity;
    std::string text;
};

const char* SeverityName(Severity severity) {
    switch (severity) {
    case Severity::Error:
        return "error";
    case Severity::Warning:
        return "warning";
    case Severity::Note:
        return "note";
    }
    return "";
}

// "3, 7 and 12" for slot indexes 2, 6 and 11.
std::string SlotList(const std::vector<int>& slots) {
    std::string list;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (i > 0) {
            list += i + 1 == slots.size() ? " and " : ", ";
        }
        list += std::to_string(slots[i] + 1);
    }
    return list;
}

void CheckDuplicateIds(const PackImage& pack, std::vector<Finding>& findings) {
    std::map<int, std::vector<int>> slotsById;
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        if (const ContactId id = GetContactId(pack, slot); id != 0) {
            slotsById[id].push_back(slot);
        }
    }
    for (const auto& [id, slots] : slotsById) {
        if (slots.size() > 1) {
            findings.push_back({Severity::Warning, "identifier " + std::to_string(id) +
                                                       " is in slots " + SlotList(slots)});
        }
    }
}

// Four pixels share a byte, so one flat level fills every byte with that level four times.
bool IsFlat(ConstPackPicture picture) {
    const std::uint8_t first = picture[0];
    const int level = first & 3;
    return first == level * 0x55 &&
           std::all_of(picture.begin(), picture.end(), [&](std::uint8_t b) { return b == first; });
}

bool HoldsBytes(ConstPackPicture picture) {
    return std::any_of(picture.begin(), picture.end(), [](std::uint8_t b) { return b != 0; });
}

void CheckPictures(const PackImage& pack, std::vector<Finding>& findings) {
    for (int slot = 0; slot < PACK_SLOT_COUNT; ++slot) {
        const std::string name = "slot " + std::to_string(slot + 1);
        const ConstPackPicture picture = GetPicture(pack, slot);
        if (GetContactId(pack, slot) != 0 && IsFlat(picture)) {
            findings.push_back({Severity::Warning, name + ": the picture is one flat level"});
        } else if (GetContactId(pack, slot) == 0 && HoldsBytes(picture)) {
            findings.push_back({Severity::Note, name + ": empty, but still holds picture bytes"});
        }
    }
}

std::vector<Finding> CheckPack(const LoadedPack& pack) {
    std::vector<Finding> findings;
    if (!pack.Exact()) {
        findings.push_back({Severity::Error, SizeProblem(pack)});
    }
    CheckDuplicateIds(pack.image, findings);
    CheckPictures(pack.image, findings);
    return findings;
}

ExitStatus RunCheck(const std::vector<std::string>& packs) {
    ExitStatus status = ExitStatus::Success;
    for (const std::string& name : packs) {
        const auto pack = LoadPack(name);
        if (!pack) {
            status = ExitStatus::Failure;
            continue;
        }
        for (const Finding& finding : CheckPack(*pack)) {
            std::printf("%s: %s: %s\n", name.c_str(), SeverityName(finding.severity),
                        finding.text.c_str());
            if (finding.severity != Severity::Note) {
                status = ExitStatus::Failure;
            }
        }
    }
    return status;
}

} // namespace

Command AddCheckCommand(CLI::App& app) {
    auto packs = std::make_shared<std::vector<std::string>>();
    CLI::App* command = app.add_subcommand(
        "check", "Report a wrong size (error), duplicate identifiers and flat pictures "
                 "(warnings) and empty slots that still hold picture bytes (notes)");
    command->add_option("PACK", *packs, "Pack files; \"-\" reads standard input")->required();
    return {command, [packs] { return RunCheck(*packs); }};
}
