// The temporary files a save writes beside the file it replaces. Each has a name of its own
// pattern, ".NAME.snapfold-XXXXXX", and is locked by the save that writes it from the moment it
// is made until it is renamed, so that one left behind by a killed save can be told apart from
// one that a living save still owns.
#pragma once

#include "base/save_target.h"
#include "base/unique_fd.h"

#include <string>

// A new, empty temporary file beside target, locked and named in the signal handlers' list so
// that an interrupt removes it; it is removed on every way out but Commit(). Fd() is -1, with
// errno set, when none can be made.
class TemporaryFile {
public:
    explicit TemporaryFile(const SplitPath& target);
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile();

    int Fd() const { return m_fd.Get(); }
    const std::string& Path() const { return m_path; }
    // Closes the descriptor written through, reporting what close() says; the lock stays held
    // until the file has been renamed or removed.
    bool CloseWriter();
    // The file was renamed to its target and is no longer ours to remove.
    void Commit() { m_committed = true; }

private:
    std::string m_path;
    UniqueFd m_fd;
    // A second descriptor of the same open file, which keeps its lock while the first closes.
    UniqueFd m_lock;
    bool m_committed = false;
};

// Removes the temporary files of target's name that no save owns any more: those whose lock is
// free. Called only by a save that holds the target's lock, since only such a save makes them.
void RemoveStaleTemporaries(const SplitPath& target);
