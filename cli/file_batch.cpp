#include "cli/file_batch.h"

#include "cli/pack_io.h"
#include "pack/pack_file.h"

#include <optional>

#include <unistd.h>

namespace {

// What a file held before the batch touched it; nothing when it did not exist.
struct Backup {
    std::string path;
    std::optional<std::vector<std::uint8_t>> bytes;
};

// New files go first: the batch most likely failed for want of space, which removing them gives
// back to the old files. Anything that cannot be put back is said, never passed over.
void Restore(const std::vector<Backup>& backups) {
    for (const Backup& backup : backups) {
        if (!backup.bytes && ::unlink(backup.path.c_str()) != 0) {
            ReportSystemFailure(backup.path, "was written but cannot be removed again");
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
        Backup backup{file.path, std::nullopt};
        if (PathExists(file.path)) {
            backup.bytes = ReadWholeFile(file.path);
            if (!backup.bytes) {
                ReportSystemFailure(file.path, "cannot be read before it is replaced");
                Restore(written);
                return false;
            }
        }
        if (!StoreFile(file.path, file.bytes)) {
            Restore(written);
            return false;
        }
        written.push_back(std::move(backup));
    }
    return true;
}
