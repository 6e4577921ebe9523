// snapfold sheet: the contact sheet of a pack as a grey PNG, the same pixels as the editor's
// "Save Sheet..." at the default scale.

#include "cli/commands/commands.h"
#include "cli/input_files.h"
#include "cli/pack_io.h"
#include "cli/write_lock.h"
#include "image/image_io.h"
#include "pack/contact_sheet.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <string>

namespace {

struct SheetOptions {
    std::string pack;
    std::string output;
    int scale = kSheetDefaultScale;
};

ExitStatus RunSheet(const SheetOptions& options) {
    InputFiles inputs;
    inputs.Add(options.pack);
    if (inputs.RefuseOutput(options.output)) {
        return ExitStatus::Failure;
    }
    // A short pack is shown as Open shows it, with what it lacks as empty slots.
    const auto pack = LoadPack(options.pack);
    if (!pack) {
        return ExitStatus::Failure;
    }
    const GreyPicture sheet = DrawContactSheet(pack->image, options.scale);
    const auto png = EncodeGreyPng(sheet.width, sheet.height, sheet.grey);
    if (!png) {
        ReportFailure(options.output, "the sheet cannot be encoded");
        return ExitStatus::Failure;
    }
    return StoreFile(options.output, *png) ? ExitStatus::Success : ExitStatus::Failure;
}

} // namespace

Command AddSheetCommand(CLI::App& app) {
    auto options = std::make_shared<SheetOptions>();
    CLI::App* command = app.add_subcommand(
        "sheet", "Write a contact sheet: the 25 pictures in slot order, five to a row, with each "
                 "slot's number and identifier beneath, as an 8-bit grey PNG");
    command->add_option("PACK", options->pack, "The pack; \"-\" reads standard input")->required();
    command
        ->add_option("-o,--output", options->output,
                     "The PNG file to write, replaced if it exists; \"-\" writes standard output")
        ->required();
    command
        ->add_option("--scale", options->scale,
                     "Screen pixels per picture pixel, 1 to 8 (default 2)")
        ->check(CLI::Range(kSheetMinScale, kSheetMaxScale));
    AddWaitOption(*command);
    return {command, [options] { return RunSheet(*options); }};
}
