// snapfold export: slot pictures as PNG or BMP files, named and made as the editor's
// "Export All Pictures..." makes them.

#include "cli/choice_option.h"
#include "cli/commands/commands.h"
#include "cli/file_batch.h"
#include "cli/input_files.h"
#include "cli/pack_io.h"
#include "cli/slot_arg.h"
#include "cli/write_lock.h"
#include "image/image_io.h"
#include "pack/picture_export.h"

#include <CLI/CLI.hpp>
#include <filesystem>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct ExportOptions {
    std::string pack;
    std::string folder;
    std::vector<std::string> slots;
    ExportFormat format = ExportFormat::Png;
    bool force = false;
};

const std::map<std::string, ExportFormat> kFormats{{"png", ExportFormat::Png},
                                                   {"bmp", ExportFormat::Bmp}};

std::optional<std::vector<std::uint8_t>> EncodePicture(ConstPackPicture picture,
                                                       ExportFormat format) {
    if (format == ExportFormat::Bmp) {
        return PictureToBmpFile(picture);
    }
    const auto greys = PictureToGreys(picture);
    return EncodeGreyPng(PICTURE_WIDTH, PICTURE_HEIGHT, greys);
}

// The slots named, each once and in the order first named, or every occupied slot when none
// is named. Naming an empty slot is reported and gives nothing.
std::optional<std::vector<int>> ChooseSlots(const ExportOptions& options, const PackImage& pack,
                                            const std::vector<int>& named) {
    std::vector<int> slots;
    for (const int slot : named) {
        if (GetContactId(pack, slot) == 0) {
            ReportFailure(options.pack, "slot " + std::to_string(slot + 1) + " is empty");
            return std::nullopt;
        }
        if (std::ranges::find(slots, slot) == slots.end()) {
            slots.push_back(slot);
        }
    }
    for (int slot = 0; named.empty() && slot < PACK_SLOT_COUNT; ++slot) {
        if (GetContactId(pack, slot) != 0) {
            slots.push_back(slot);
        }
    }
    return slots;
}

std::optional<std::vector<FileToWrite>>
MakeFiles(const ExportOptions& options, const PackImage& pack, const std::vector<int>& slots) {
    std::vector<FileToWrite> files;
    for (const int slot : slots) {
        const std::string path = (std::filesystem::path(options.folder) /
                                  ExportFileName(slot, GetContactId(pack, slot), options.format))
                                     .string();
        auto bytes = EncodePicture(GetPicture(pack, slot), options.format);
        if (!bytes) {
            ReportFailure(path, "the picture cannot be encoded");
            return std::nullopt;
        }
        files.push_back({path, std::move(*bytes)});
    }
    return files;
}

// The folder and any missing parents, so that "-o pictures" works on a first export too.
bool MakeFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        ReportFailure(folder, "cannot be made: " + error.message());
        return false;
    }
    return true;
}

// Every file is checked before the first is written, so that a refusal changes nothing. A
// link at an export name is replaced by the new file, unless it leads to the pack itself.
bool WritesOverAnInput(const ExportOptions& options, const std::vector<FileToWrite>& files) {
    InputFiles inputs;
    inputs.Add(options.pack);
    bool refused = false;
    for (const FileToWrite& file : files) {
        refused = inputs.RefuseOutput(file.path) || refused;
    }
    return refused;
}

ExitStatus RunExport(const ExportOptions& options) {
    const auto named = ParseSlotNumbers(options.slots, options.pack);
    if (!named) {
        return ExitStatus::Usage;
    }
    const auto pack = LoadPack(options.pack);
    if (!pack) {
        return ExitStatus::Failure;
    }
    const auto slots = ChooseSlots(options, pack->image, *named);
    const auto files = slots ? MakeFiles(options, pack->image, *slots) : std::nullopt;
    if (!files || WritesOverAnInput(options, *files) || !MayWriteBatch(*files, options.force) ||
        !MakeFolder(options.folder) || !WriteBatch(*files)) {
        return ExitStatus::Failure;
    }
    return ExitStatus::Success;
}

} // namespace

Command AddExportCommand(CLI::App& app) {
    auto options = std::make_shared<ExportOptions>();
    CLI::App* command = app.add_subcommand(
        "export", "Write slot pictures as slot-NN_id-ID.png (or .bmp) files into a folder");
    command->add_option("PACK", options->pack, "The pack; \"-\" reads standard input")->required();
    command
        ->add_option("-o,--output", options->folder,
                     "The folder to write into, made with its missing parents if need be")
        ->required();
    command
        ->add_option("--slot", options->slots,
                     "A slot to export, 1 to 25; may be repeated (default: every occupied "
                     "slot)")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    WithChoices(command->add_option("--format", options->format, "png (the default) or bmp"),
                kFormats);
    command->add_flag("--force", options->force, "Replace existing files");
    AddWaitOption(*command);
    return {command, [options] { return RunExport(*options); }};
}
