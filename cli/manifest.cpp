#include "cli/manifest.h"

#include "cli/slot_arg.h"
#include "pack/contact_id.h"
#include "pack/pack_image.h"
#include "res/texts.h"

#include <array>

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
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
};

ParsedLine ParseLine(std::string_view text, std::string_view folder) {
    const auto first = text.find(',');
    const auto second = first == text.npos ? text.npos : text.find(',', first + 1);
    if (second == text.npos) {
        return {{}, "expected slot,id,image"};
    }
    const std::string_view slotText = Trim(text.substr(0, first));
    const std::string_view image = Trim(text.substr(second + 1));
    const auto slot = ParseSlotNumber(slotText);
    const auto id = ParseContactId(text.substr(first + 1, second - first - 1));
    if (!slot) {
        return {{}, std::string(kBadSlotMessage) + ", not '" + std::string(slotText) + "'"};
    }
    if (!id) {
        return {{}, std::string(res::kBadIdMessage)};
    }
    if (image.empty()) {
        return {{}, "no image is named"};
    }
    return {{0, *slot, *id, Resolve(image, folder)}, {}};
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
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == text.npos ? text.size() : end + 1);
        ++number;
        if (Trim(line).empty() || line.front() == '#') {
            continue;
        }
        ParsedLine parsed = ParseLine(line, folder);
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
