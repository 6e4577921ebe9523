// Writing a whole file's bytes and reading them back from the medium, for every road a save
// takes: through a temporary file, or in place.
#pragma once

#include <cstdint>
#include <span>
#include <string>

// Writes every byte at the start of the file, going on after partial writes and interrupts.
bool WriteAll(int fd, std::span<const std::uint8_t> bytes);

// Reads the file back from the start, past the system's cache where the kernel lets it, and
// returns whether exactly bytes came back; errno is EIO when not.
bool ReadsBackAs(int fd, std::span<const std::uint8_t> bytes);

// Writes bytes over the file at target, which exists and may be written, keeping its inode:
// for hard-linked files, whose other names a rename would leave behind, and for folders that
// refuse a temporary file. The old bytes are put back when a step fails. Returns whether the
// file was saved; errno then tells why not.
bool OverwriteInPlace(const std::string& target, std::span<const std::uint8_t> bytes);
