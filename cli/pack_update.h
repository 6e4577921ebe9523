// Changing a pack in place, one run at a time: every command that changes a pack goes through
// here, so that two runs on the same file cannot lose each other's update.
#pragma once

#include "cli/commands/commands.h"
#include "cli/pack_io.h"

#include <functional>
#include <string>

// Takes the update lock on the pack, reads it as LoadPackToChange does, lets change work on
// the image and saves the result through the safe save, or to standard output for "-". change
// reports its own failures and returns the status to end with; only Success is saved.
ExitStatus UpdatePack(const std::string& name, SizeRule rule,
                      const std::function<ExitStatus(PackImage&)>& change);
