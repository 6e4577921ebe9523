// snapfold build: a whole pack in one step from a manifest of slots, identifiers and images.

#include "cli/build_progress.h"
#include "cli/commands/commands.h"
#include "cli/conversion_options.h"
#include "cli/input_files.h"
#include "cli/manifest.h"
#include "cli/pack_io.h"
#include "cli/pack_update.h"
#include "cli/picture_input.h"
#include "cli/write_lock.h"
#include "res/texts.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

namespace {

struct BuildOptions {
    std::string pack;
    std::string manifest;
    bool force = false;
    bool quiet = false;
    // The same for every image of the manifest.
    PictureOptions conversion;
};

std::string FolderOf(const std::string& path) {
    if (path == kStandardStream) {
        return {};
    }
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {};
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// 25 lines of a slot, an identifier and a path need a few kilobytes; more is no manifest.
constexpr std::uintmax_t kMaxManifestBytes = 1024 * 1024;

std::optional<Manifest> ReadManifest(const std::string& name) {
    const auto bytes = ReadWholeFile(name, kMaxManifestBytes);
    if (!bytes && errno == EFBIG) {
        ReportFailure(name, "is larger than 1 MiB, which no manifest needs");
        return std::nullopt;
    }
    if (!bytes) {
        ReportSystemFailure(name, "cannot be read");
        return std::nullopt;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    return ParseManifest(text, FolderOf(name));
}

// Where each entry's picture comes from. Each vCard file is read once and shared: a manifest
// from snapfold cards --manifest takes every card from the same address book.
std::vector<PictureSource> PictureSources(const std::vector<ManifestEntry>& entries) {
    std::map<std::string, std::shared_ptr<const VCardFile>> cardFiles;
    std::vector<PictureSource> sources;
    for (const ManifestEntry& entry : entries) {
        PictureSource source{entry.image, entry.card};
        if (entry.card) {
            const auto [file, added] = cardFiles.try_emplace(entry.image);
            if (added) {
                file->second = ReadSharedCardFile(entry.image);
            }
            source.cards = file->second;
        }
        sources.push_back(std::move(source));
    }
    return sources;
}

// Every entry's picture. The images are independent, so they are converted on every core at
// once; decoding is most of the time a build takes.
std::vector<PictureResult> ReadPictures(const std::vector<ManifestEntry>& entries,
                                        const PictureOptions& options, ProgressDisplay display) {
    std::vector<PictureResult> results(entries.size());
    const std::vector<PictureSource> sources = PictureSources(entries);
    BuildProgress progress(entries.size(), display);
    std::atomic<std::size_t> next = 0;
    const auto work = [&] {
        for (std::size_t i = next++; i < entries.size(); i = next++) {
            // An exception may not leave a thread; running out of memory is one image's failure.
            try {
                results[i] = ReadPicture(sources[i], options);
            } catch (const std::bad_alloc&) {
                results[i] = {std::nullopt,
                              {std::string(res::kImageUnreadableMessage) +
                               " There is not enough memory for it."}};
            }
            progress.Advance();
        }
    };
    const unsigned helpers =
        std::min<std::size_t>(std::thread::hardware_concurrency(), entries.size());
    std::vector<std::jthread> threads;
    for (unsigned i = 1; i < helpers; ++i) {
        threads.emplace_back(work);
    }
    work();
    return results;
}

// The pack is written only once every input has been read, so it must be none of them.
bool WritesOverAnInput(const BuildOptions& options, const Manifest& manifest) {
    InputFiles inputs;
    inputs.Add(options.manifest);
    for (const ManifestEntry& entry : manifest.entries) {
        inputs.Add(entry.image);
    }
    return inputs.RefuseOutput(options.pack);
}

std::optional<PackImage> MakePack(const std::string& manifestName, const Manifest& manifest,
                                  const BuildOptions& options) {
    const std::vector<PictureResult> pictures =
        ReadPictures(manifest.entries, options.conversion,
                     options.quiet ? ProgressDisplay::Quiet : ProgressDisplay::Shown);
    PackImage pack{};
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const ManifestEntry& entry = manifest.entries[i];
        if (!pictures[i].picture) {
            ReportFailure(manifestName + ":" + std::to_string(entry.line),
                          entry.image + ": " + pictures[i].error.message);
            return std::nullopt;
        }
        std::ranges::copy(*pictures[i].picture, GetPicture(pack, entry.slot).begin());
        SetContactId(pack, entry.slot, entry.id);
    }
    return pack;
}

std::optional<PackImage> ReadAndMakePack(const BuildOptions& options) {
    const auto manifest = ReadManifest(options.manifest);
    if (!manifest) {
        return std::nullopt;
    }
    if (manifest->error) {
        ReportFailure(options.manifest + ":" + std::to_string(manifest->error->line),
                      manifest->error->reason);
        return std::nullopt;
    }
    if (WritesOverAnInput(options, *manifest)) {
        return std::nullopt;
    }
    return MakePack(options.manifest, *manifest, options);
}

ExitStatus RunBuild(const BuildOptions& options) {
    return ReplacePack(options.pack, options.force, [&] { return ReadAndMakePack(options); });
}

} // namespace

Command AddBuildCommand(CLI::App& app) {
    auto options = std::make_shared<BuildOptions>();
    CLI::App* command = app.add_subcommand(
        "build", "Make a whole pack from a manifest of slot,id,image lines; slots not named "
                 "are empty");
    command->add_option("PACK", options->pack, "The pack to write; \"-\" writes standard output")
        ->required();
    command
        ->add_option("--from", options->manifest,
                     "The manifest: one slot,id,image line per slot, image paths relative to "
                     "the manifest, with a fourth field naming the card when the image is a "
                     "vCard file; fields may be quoted; a slot,id,image header, blank lines and "
                     "lines starting with # are skipped; \"-\" reads standard input")
        ->required();
    command->add_flag("--force", options->force, "Replace an existing file");
    AddWaitOption(*command);
    command->add_flag("-q,--quiet", options->quiet,
                      "Show no progress; it is shown only while standard error is a terminal");
    const auto conversion = AddConversionOptions(*command, options->conversion);
    command->callback(
        [options, conversion] { options->conversion.converting = AnyGiven(conversion); });
    return {command, [options] { return RunBuild(*options); }};
}
