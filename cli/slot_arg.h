// Slot numbers as a user types them on the command line: 1 to 25.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kBadSlotMessage = "slot must be a number from 1 to 25";

// The slot's index (0-24) for a whole decimal number from 1 to 25, nothing for any other text.
std::optional<int> ParseSlotNumber(std::string_view text);

// Every text as a slot index; nothing, after reporting the first bad one against file, when
// any is not a slot number.
std::optional<std::vector<int>> ParseSlotNumbers(const std::vector<std::string>& texts,
                                                 std::string_view file);
