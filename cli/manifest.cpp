#include "cli/manifest.h"

#include "cli/manifest_fields.h"
#include "cli/slot_arg.h"
#include "pack/contact_id.h"
#include "pack/pack_image.h"
#include "res/texts.h"

#include <array>
#include <utility>

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlankLine(std::string_view text) {
    return text.find_first_not_of(" \t\r") == std::string_view::npos;
}

std::string Resolve(std::string_view image, std::string_view folder) {
    if (image.front() == '/' || folder.empty()) {
        return std::string(image);
    }
    return std::string(folder) + "/" + std::string(image);
}

// One line that is neither blank nor a comment, as an entry or as the reason it is refused.
struct ParsedLine {
    ManifestEntry entry;
    // Empty when the line is good.
    std::string reason;
    // The line is the header a spreadsheet writes, to be skipped.
    bool header = false;
};

ParsedLine ParseFields(const std::vector<ManifestField>& fields, std::string_view folder) {
    if (fields.size() < 3) {
        return {{}, "expected slot,id,image or slot,id,image,card"};
    }
    const std::string& slotText = fields[0].text;
    const auto slot = ParseSlotNumber(slotText);
    const auto id = ParseContactId(fields[1].text);
    if (!slot) {
        return {{}, std::string(kBadSlotMessage) + ", not '" + slotText + "'"};
    }
    if (!id) {
        return {{}, std::string(res::kBadIdMessage)};
    }
    const ImageAndCard taken = TakeImageAndCard(fields);
    if (!taken.error.empty()) {
        return {{}, taken.error};
    }
    if (taken.image.empty()) {
        return {{}, "no image is named"};
    }
    ManifestEntry entry{0, *slot, *id, Resolve(taken.image, folder), std::nullopt};
    if (taken.hasCard) {
        entry.card = taken.card;
    }
    return {std::move(entry), {}};
}

ParsedLine ParseLine(std::string_view text, std::string_view folder, bool first) {
    // A NUL byte means a binary file was named, or a text file is damaged.
    if (text.find('\0') != std::string_view::npos) {
        return {{}, "the line holds a NUL byte, which no manifest holds"};
    }
    const ManifestFields split = SplitManifestLine(text);
    if (!split.error.empty()) {
        return {{}, split.error};
    }
    if (first && IsManifestHeader(split.fields)) {
        return {{}, {}, true};
    }
    return ParseFields(split.fields, folder);
}

} // namespace

Manifest ParseManifest(std::string_view text, std::string_view folder) {
    Manifest manifest;
    // Spreadsheet programs begin the UTF-8 files they save with a byte-order mark.
    if (text.starts_with(kUtf8ByteOrderMark)) {
        text.remove_prefix(kUtf8ByteOrderMark.size());
    }
    std::array<int, PACK_SLOT_COUNT> lineOfSlot{};
    int number = 0;
    bool first = true;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == text.npos ? text.size() : end + 1);
        ++number;
        const bool hasNul = line.find('\0') != std::string_view::npos;
        if (!hasNul && (IsBlankLine(line) || line.front() == '#')) {
            continue;
        }
        ParsedLine parsed = ParseLine(line, folder, std::exchange(first, false));
        if (parsed.header) {
            continue;
        }
        const int earlier = parsed.reason.empty() ? lineOfSlot[parsed.entry.slot] : 0;
        if (earlier != 0) {
            parsed.reason = "slot " + std::to_string(parsed.entry.slot + 1) +
                            " is already given on line " + std::to_string(earlier);
        }
        if (!parsed.reason.empty()) {
            manifest.error = ManifestError{number, parsed.reason};
            break;
        }
        parsed.entry.line = number;
        lineOfSlot[parsed.entry.slot] = number;
        manifest.entries.push_back(std::move(parsed.entry));
    }
    return manifest;
}
