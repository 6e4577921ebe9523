// Reading and writing the files the subcommands work on, where "-" names standard input or
// standard output, and the one way a failure is told to the user.
#pragma once

#include "base/file_limits.h"
#include "base/safe_save.h"
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
    // The whole file's length, which may be more or less than PACK_FILE_SIZE. Of standard
    // input at most PACK_FILE_SIZE + 1 bytes are read, so that endless input ends.
    std::uintmax_t fileSize = 0;
    // Whether the file came from standard input, whose length is then only known up to a pack
    // and one byte more.
    bool stream = false;

    bool Complete() const { return fileSize >= PACK_FILE_SIZE; }
    bool Exact() const { return fileSize == PACK_FILE_SIZE; }
};

// What is wrong with the pack's size, as check reports it: "the file is N bytes long, not
// 15050"; empty when the size is right.
std::string SizeProblem(const LoadedPack& pack);

// The size for a reader: the number of bytes, or "more than 15050" for a longer stream.
std::string SizeText(const LoadedPack& pack);

// Reads the pack named name, or standard input for "-". Reports why and returns nothing when
// it cannot be read; a short or long file is not a failure.
std::optional<LoadedPack> LoadPack(const std::string& name);

enum class SizeRule {
    // Only a file of exactly PACK_FILE_SIZE bytes may be changed.
    Exact,
    // A longer file may be changed too and keeps its first PACK_FILE_SIZE bytes, as the
    // editor's Open then Save would.
    AllowLonger,
};

// LoadPack for the commands that change a pack: a file shorter than a pack is refused with the
// editor's short-read message, since saving it would write bytes that were never in the file;
// a longer one is refused with check's size message unless rule allows it, since it may be no
// pack at all (a photo named by mistake).
std::optional<LoadedPack> LoadPackToChange(const std::string& name, SizeRule rule);

// Replaces the file at name by bytes through the safe save, or writes them to standard output
// for "-". Unless the caller holds the file's lock (options.locking), it is taken here as
// --wait allows. Reports why and returns false when that fails; the file is then as it was.
bool StoreFile(const std::string& name, std::span<const std::uint8_t> bytes,
               const SaveOptions& options = {});

// Whether something exists at path (a dangling symbolic link counts), for commands that refuse
// to replace files unless forced.
bool PathExists(const std::string& path);

// The file's whole contents, or standard input's for "-", or nothing when it cannot be read
// (errno tells why: EFBIG past maxBytes). Only regular files are opened, so a FIFO cannot hang
// the program; standard input is read only up to maxBytes and one byte more.
std::optional<std::vector<std::uint8_t>>
ReadWholeFile(const std::string& path, std::uintmax_t maxBytes = kMaxWholeFileBytes);

// Flushes standard output and reports a write to it that failed, at any time during the run,
// as "standard output: REASON". Returns status, or trouble when the output was lost.
int FinishStandardOutput(int status, int trouble);
