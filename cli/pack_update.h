// Changing or replacing a pack, one run at a time: every command that writes a pack goes
// through here, so that two runs on the same file cannot lose each other's work.
#pragma once

#include "cli/commands/commands.h"
#include "cli/pack_io.h"

#include <functional>
#include <optional>
#include <string>

// Takes the update lock on the pack, reads it as LoadPackToChange does, lets change work on
// the image and saves the result through the safe save, or to standard output for "-". change
// reports its own failures and returns the status to end with; only Success is saved.
ExitStatus UpdatePack(const std::string& name, SizeRule rule,
                      const std::function<ExitStatus(PackImage&)>& change);

// Replaces the pack whole, under the same lock for the whole run: an existing file is refused
// unless force is given, then make gives the new image (or nothing, having said why), and it is
// saved.
ExitStatus ReplacePack(const std::string& name, bool force,
                       const std::function<std::optional<PackImage>()>& make);
