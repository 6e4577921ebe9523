// The lock every writing subcommand takes on the file it writes, and --wait, which bounds how
// long a run waits for another program to let go of it.
#pragma once

#include "base/file_lock.h"
#include "base/save_target.h"

#include <optional>
#include <string>

namespace CLI {
class App;
}

// Adds --wait SECONDS to a subcommand that writes a file.
void AddWaitOption(CLI::App& command);

// Locks the file at name for the whole of a read-change-write, waiting as --wait allows and
// saying so once after a second. Reports why and returns nothing when the file is in use, is
// no regular file or cannot be opened; a missing file gives a lock that holds nothing.
// Standard output, and a link that the save is to replace (links), need no lock.
std::optional<FileLock> LockToWrite(const std::string& name,
                                    LinkRule links = LinkRule::WriteThrough);
