#include "cli/pack_update.h"

#include "cli/write_lock.h"

ExitStatus UpdatePack(const std::string& name, SizeRule rule,
                      const std::function<ExitStatus(PackImage&)>& change) {
    // Readers take no lock, so standard input and standard output need none either.
    const auto lock = LockToWrite(name);
    if (!lock) {
        return ExitStatus::Failure;
    }
    auto pack = LoadPackToChange(name, rule);
    if (!pack) {
        return ExitStatus::Failure;
    }
    if (const ExitStatus status = change(pack->image); status != ExitStatus::Success) {
        return status;
    }
    return StoreFile(name, pack->image, {SaveLocking::Held, LinkRule::WriteThrough})
               ? ExitStatus::Success
               : ExitStatus::Failure;
}

ExitStatus ReplacePack(const std::string& name, bool force,
                       const std::function<std::optional<PackImage>()>& make) {
    if (!force && name != kStandardStream && PathExists(name)) {
        ReportFailure(name, "already exists; give --force to replace it");
        return ExitStatus::Failure;
    }
    const auto lock = LockToWrite(name);
    if (!lock) {
        return ExitStatus::Failure;
    }
    const auto pack = make();
    if (!pack) {
        return ExitStatus::Failure;
    }
    return StoreFile(name, *pack, {SaveLocking::Held, LinkRule::WriteThrough})
               ? ExitStatus::Success
               : ExitStatus::Failure;
}
