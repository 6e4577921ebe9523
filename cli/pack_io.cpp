#include "cli/pack_io.h"
#include "cli/write_lock.h"
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

// The reason of the first failed write to standard output, kept for the report at the end,
// since a later flush of an emptied buffer no longer fails.
int g_outputError = 0;

std::optional<LoadedPack> LoadStandardInput() {
    LoadedPack pack;
    pack.stream = true;
    // fread goes on until the count is reached or the stream ends, as a pipe needs. One byte
    // past a pack tells that more follows without reading what may never end.
    pack.fileSize = std::fread(pack.image.data(), 1, pack.image.size(), stdin);
    if (pack.fileSize == pack.image.size()) {
        char extra = 0;
        pack.fileSize += std::fread(&extra, 1, 1, stdin);
    }
    if (std::ferror(stdin)) {
        ReportSystemFailure(kStandardStream, "cannot be read");
        return std::nullopt;
    }
    return pack;
}

bool WriteStandardOutput(std::span<const std::uint8_t> bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
        std::fflush(stdout) == 0) {
        return true;
    }
    if (g_outputError == 0) {
        g_outputError = errno;
    }
    return false;
}

std::optional<std::vector<std::uint8_t>> ReadStandardInput(std::uintmax_t maxBytes) {
    std::vector<std::uint8_t> bytes;
    char buffer[8192];
    while (bytes.size() <= maxBytes) {
        const std::size_t n = std::fread(buffer, 1, sizeof buffer, stdin);
        if (n == 0) {
            break;
        }
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    if (std::ferror(stdin)) {
        return std::nullopt;
    }
    if (bytes.size() > maxBytes) {
        errno = EFBIG;
        return std::nullopt;
    }
    return bytes;
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

bool StoreFile(const std::string& name, std::span<const std::uint8_t> bytes,
               const SaveOptions& options) {
    if (name == kStandardStream) {
        // The failure is reported once, with every other write to standard output, at the end.
        return WriteStandardOutput(bytes);
    }
    const auto lock = options.locking == SaveLocking::Take
                          ? LockToWrite(name, options.links)
                          : std::optional(FileLock{LockStatus::Held, UniqueFd(-1)});
    if (!lock) {
        return false;
    }
    if (!SaveFileSafely(name, bytes, {SaveLocking::Held, options.links})) {
        ReportSystemFailure(name, "cannot be saved");
        return false;
    }
    return true;
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path,
                                                       std::uintmax_t maxBytes) {
    if (path == kStandardStream) {
        t_notRegularFile = false;
        return ReadStandardInput(maxBytes);
    }
    auto bytes = ReadRegularFile(path, maxBytes);
    // Only the opening refuses with EINVAL: something other than a regular file is there.
    t_notRegularFile = !bytes && errno == EINVAL;
    return bytes;
}

std::optional<LoadedPack> LoadPackToChange(const std::string& name, SizeRule rule) {
    auto pack = LoadPack(name);
    if (pack && !pack->Complete()) {
        ReportFailure(name, res::kShortReadMessage);
        return std::nullopt;
    }
    if (pack && !pack->Exact() && rule == SizeRule::Exact) {
        ReportFailure(name, SizeProblem(*pack) + "; give --force to keep its first " +
                                std::to_string(PACK_FILE_SIZE) + " bytes");
        return std::nullopt;
    }
    return pack;
}

std::string SizeText(const LoadedPack& pack) {
    if (pack.stream && pack.fileSize > PACK_FILE_SIZE) {
        return "more than " + std::to_string(PACK_FILE_SIZE);
    }
    return std::to_string(pack.fileSize);
}

std::string SizeProblem(const LoadedPack& pack) {
    if (pack.Exact()) {
        return {};
    }
    return "the file is " + SizeText(pack) + " bytes long, not " + std::to_string(PACK_FILE_SIZE);
}

int FinishStandardOutput(int status, int trouble) {
    if (std::fflush(stdout) != 0 && g_outputError == 0) {
        g_outputError = errno;
    }
    if (g_outputError == 0 && std::ferror(stdout)) {
        g_outputError = EIO;
    }
    if (g_outputError == 0) {
        return status;
    }
    ReportFailure("standard output", std::strerror(g_outputError));
    return status > trouble ? status : trouble;
}
