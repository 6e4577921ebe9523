// Reading and writing the files the subcommands work on, where "-" names standard input or
// standard output, and the one way a failure is told to the user.
#pragma once

#include "pack/pack_image.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The name that stands for standard input or standard output.
inline constexpr std::string_view kStandardStream = "-";

// Prints "snapfold: FILE: reason" on standard error.
void ReportFailure(std::string_view file, std::string_view reason);

// Why the last failed call in this thread failed: errno's text, or "not a regular file" for
// a FIFO, device or socket that was refused.
std::string LastFailureReason();

// Like ReportFailure, with LastFailureReason() appended.
void ReportSystemFailure(std::string_view file, std::string_view what);

struct LoadedPack {
    // The first PACK_FILE_SIZE bytes of the file; what a shorter file lacks is zeros.
    PackImage image{};
    // The whole file's length, which may be more or less than PACK_FILE_SIZE.
    std::uintmax_t fileSize = 0;

    bool Complete() const { return fileSize >= PACK_FILE_SIZE; }
};

// Reads the pack named name, or standard input for "-". Reports why and returns nothing when
// it cannot be read; a short or long file is not a failure.
std::optional<LoadedPack> LoadPack(const std::string& name);

// LoadPack for the commands that change a pack: a file shorter than a pack is refused with the
// editor's short-read message, since saving it would write bytes that were never in the file.
std::optional<LoadedPack> LoadPackToChange(const std::string& name);

// Replaces the file at name by bytes through the safe save, or writes them to standard output
// for "-". Reports why and returns false when that fails; the file is then as it was.
bool StoreFile(const std::string& name, std::span<const std::uint8_t> bytes);

// Whether something exists at path (a dangling symbolic link counts), for commands that refuse
// to replace files unless forced.
bool PathExists(const std::string& path);

// The file's whole contents, or nothing when it cannot be read (errno tells why). Only regular
// files are read, so a FIFO cannot hang the program.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path);
