#include "cli/file_batch.h"

#include "cli/pack_io.h"
#include "pack/pack_file.h"

#include <climits>
#include <optional>

#include <sys/stat.h>

#include <unistd.h>

namespace {

// What a file held before the batch touched it; nothing when it did not exist.
struct Backup {
    std::string path;
    std::optional<std::vector<std::uint8_t>> bytes;
    // A symbolic link that stood at the name, which the batch replaced rather than wrote
    // through.
    std::optional<std::string> link;
};

std::optional<std::string> LinkAt(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        return std::nullopt;
    }
    std::vector<char> target(PATH_MAX);
    const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size()) {
        return std::nullopt;
    }
    return std::string(target.data(), static_cast<std::size_t>(length));
}

bool PutLinkBack(const Backup& backup) {
    return ::unlink(backup.path.c_str()) == 0 &&
           ::symlink(backup.link->c_str(), backup.path.c_str()) == 0;
}

// New files go first: the batch most likely failed for want of space, which removing them gives
// back to the old files. Anything that cannot be put back is said, never passed over.
void Restore(const std::vector<Backup>& backups) {
    for (const Backup& backup : backups) {
        if (!backup.bytes && !backup.link && ::unlink(backup.path.c_str()) != 0) {
            ReportSystemFailure(backup.path, "was written but cannot be removed again");
        }
        if (backup.link && !PutLinkBack(backup)) {
            ReportSystemFailure(backup.path, "was replaced but its link cannot be put back");
        }
    }
    for (const Backup& backup : backups) {
        if (backup.bytes && !SaveFileSafely(backup.path, *backup.bytes)) {
            ReportSystemFailure(backup.path,
                                "was replaced but its old contents cannot be put back");
        }
    }
}

} // namespace

bool MayWriteBatch(const std::vector<FileToWrite>& files, bool force) {
    bool may = true;
    for (const FileToWrite& file : files) {
        if (!force && PathExists(file.path)) {
            ReportFailure(file.path, "already exists; give --force to replace it");
            may = false;
        }
    }
    return may;
}

bool WriteBatch(const std::vector<FileToWrite>& files) {
    std::vector<Backup> written;
    for (const FileToWrite& file : files) {
        Backup backup{file.path, std::nullopt, LinkAt(file.path)};
        if (!backup.link && PathExists(file.path)) {
            backup.bytes = ReadWholeFile(file.path);
            if (!backup.bytes) {
                ReportSystemFailure(file.path, "cannot be read before it is replaced");
                Restore(written);
                return false;
            }
        }
        if (!StoreFile(file.path, file.bytes, {SaveLocking::Take, LinkRule::Replace})) {
            Restore(written);
            return false;
        }
        written.push_back(std::move(backup));
    }
    return true;
}
