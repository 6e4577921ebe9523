#include "cli/pack_io.h"
#include "res/texts.h"

#include "base/file_limits.h"
#include "base/regular_file.h"
#include "pack/pack_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include <sys/stat.h>

namespace {

// Set when the last open in this thread was refused because the file is a FIFO, a device or a
// socket, for which errno has no fitting reason of its own.
thread_local bool t_notRegularFile = false;


// The length of what is left of the stream, read and counted, since a pipe has no size.
std::uintmax_t CountRest(std::FILE* stream) {
    std::uintmax_t total = 0;
    char buffer[8192];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, stream)) {
        total += n;
    }
    return total;
}

std::optional<LoadedPack> LoadStandardInput() {
    LoadedPack pack;
    // fread goes on until the count is reached or the stream ends, as a pipe needs.
    pack.fileSize = std::fread(pack.image.data(), 1, pack.image.size(), stdin);
    pack.fileSize += CountRest(stdin);
    if (std::ferror(stdin)) {
        ReportSystemFailure(kStandardStream, "cannot be read");
        return std::nullopt;
    }
    return pack;
}

bool WriteStandardOutput(std::span<const std::uint8_t> bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
           std::fflush(stdout) == 0;
}

} // namespace

void ReportFailure(std::string_view file, std::string_view reason) {
    std::fflush(stdout);
    std::fprintf(stderr, "snapfold: %.*s: %.*s\n", static_cast<int>(file.size()), file.data(),
                 static_cast<int>(reason.size()), reason.data());
}

std::string LastFailureReason() {
    if (t_notRegularFile && errno == EINVAL) {
        return "not a regular file";
    }
    return std::strerror(errno);
}

void ReportSystemFailure(std::string_view file, std::string_view what) {
    ReportFailure(file, std::string(what) + ": " + LastFailureReason());
}

std::optional<LoadedPack> LoadPack(const std::string& name) {
    if (name == kStandardStream) {
        return LoadStandardInput();
    }
    const OpenedRegularFile opened = OpenRegularFile(name);
    t_notRegularFile = opened.notRegular;
    if (opened.fd.Get() < 0) {
        ReportSystemFailure(name, "cannot be opened");
        return std::nullopt;
    }
    LoadedPack pack;
    std::size_t got = 0;
    if (!ReadFully(opened.fd.Get(), pack.image, got)) {
        ReportSystemFailure(name, "cannot be read");
        return std::nullopt;
    }
    // A file that grew or shrank while it was read is judged by what was read, if it was short.
    pack.fileSize = got < pack.image.size() ? got : opened.size;
    return pack;
}

bool StoreFile(const std::string& name, std::span<const std::uint8_t> bytes) {
    if (name == kStandardStream) {
        if (!WriteStandardOutput(bytes)) {
            ReportSystemFailure(kStandardStream, "cannot be written");
            return false;
        }
        return true;
    }
    if (!SaveFileSafely(name, bytes)) {
        ReportSystemFailure(name, "cannot be saved");
        return false;
    }
    return true;
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
    auto bytes = ReadRegularFile(path, kMaxWholeFileBytes);
    // Only the opening refuses with EINVAL: something other than a regular file is there.
    t_notRegularFile = !bytes && errno == EINVAL;
    return bytes;
}

std::optional<LoadedPack> LoadPackToChange(const std::string& name) {
    auto pack = LoadPack(name);
    if (pack && !pack->Complete()) {
        ReportFailure(name, res::kShortReadMessage);
        return std::nullopt;
    }
    return pack;
}
