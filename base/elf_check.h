// Whether a file is a whole ELF shared object, checked before the program maps it: a module
// cut short (a failed copy, a full disk) would otherwise be mapped past its end, and the first
// access there ends the program with SIGBUS.
#pragma once

#include <cstdint>
#include <span>
#include <string>

// Why bytes are not a complete 64-bit little-endian ELF shared object, or empty when they are:
// every program header and every segment it loads, and the section headers, lie inside.
std::string ElfProblem(std::span<const std::uint8_t> bytes);
