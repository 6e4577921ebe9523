#include "cli/slot_arg.h"

#include "cli/pack_io.h"
#include "pack/pack_image.h"

#include <charconv>

std::optional<int> ParseSlotNumber(std::string_view text) {
    int number = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    // from_chars takes a leading minus sign, which a slot number never has.
    if (text.empty() || text.front() == '-' || error != std::errc{} || stop != end || number < 1 ||
        number > PACK_SLOT_COUNT) {
        return std::nullopt;
    }
    return number - 1;
}

std::optional<std::vector<int>> ParseSlotNumbers(const std::vector<std::string>& texts,
                                                 std::string_view file) {
    std::vector<int> slots;
    for (const std::string& text : texts) {
        const auto slot = ParseSlotNumber(text);
        if (!slot) {
            ReportFailure(file, std::string(kBadSlotMessage) + ", not '" + text + "'");
            return std::nullopt;
        }
        slots.push_back(*slot);
    }
    return slots;
}
