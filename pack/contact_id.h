// Reading a contact identifier typed by the user, the same in every program that asks for one.
#pragma once

#include <optional>
#include <string_view>

inline constexpr int kLowestContactId = -32768;
inline constexpr int kHighestContactId = 65535;

// A whole decimal number, blanks around it and one leading sign allowed, from -32768 to 65535;
// nothing for any other text. Numbers above 32767 are the same 16 bits as their negative.
std::optional<int> ParseContactId(std::string_view text);
