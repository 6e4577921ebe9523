// snapfold frame: where the frame starts on each image, on its largest face or centred, as
// set and build would crop it.

#include "cli/commands/commands.h"
#include "cli/pack_io.h"
#include "cli/picture_input.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

struct FrameOptions {
    std::vector<std::string> images;
    std::optional<std::string> card;
    bool json = false;
};

const char* ByName(const ChosenFrame& chosen) {
    return chosen.byFace ? "face" : "centre";
}

nlohmann::ordered_json RectJson(const CropRect& rect) {
    return {{"x", rect.x}, {"y", rect.y}, {"width", rect.width}, {"height", rect.height}};
}

void PrintJson(const std::string& name, ImageSize size, const ChosenFrame& chosen) {
    nlohmann::ordered_json faces = nlohmann::ordered_json::array();
    for (const CropRect& face : chosen.faces) {
        faces.push_back(RectJson(face));
    }
    const nlohmann::ordered_json object{{"file", name},
                                        {"width", size.width},
                                        {"height", size.height},
                                        {"by", ByName(chosen)},
                                        {"frame", RectJson(chosen.frame)},
                                        {"faces", std::move(faces)}};
    // A file name need not be valid UTF-8; such bytes are replaced rather than refused.
    const std::string line =
        object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    std::printf("%s\n", line.c_str());
}

void PrintText(const std::string& name, const ChosenFrame& chosen) {
    const CropRect& frame = chosen.frame;
    std::printf("%s\t%s\t%d %d %d %d\n", name.c_str(), ByName(chosen), frame.x, frame.y,
                frame.width, frame.height);
}

// chosen moved by offset: a card's crop gives coordinates in its cropped photo, and the user
// reads them against the whole photo.
ChosenFrame Offset(ChosenFrame chosen, const PixelRect& offset) {
    const auto move = [&](CropRect& rect) {
        rect.x += offset.x;
        rect.y += offset.y;
    };
    move(chosen.frame);
    for (CropRect& face : chosen.faces) {
        move(face);
    }
    return chosen;
}

ExitStatus RunFrame(const FrameOptions& options) {
    ExitStatus status = ExitStatus::Success;
    for (const std::string& name : options.images) {
        const DecodedPicture picture = DecodePictureSource({name, options.card});
        if (!picture.decoded.image) {
            ReportFailure(name, picture.error.message);
            const bool usage = picture.error.usage || status == ExitStatus::Usage;
            status = usage ? ExitStatus::Usage : ExitStatus::Failure;
            continue;
        }
        NoteFaceFindingOnce();
        const DecodedImage& decoded = picture.decoded;
        const ChosenFrame chosen =
            Offset(ChooseFrame(*decoded.image, decoded.fullSize, FrameChoice::Face), picture.crop);
        if (options.json) {
            PrintJson(name, decoded.fullSize, chosen);
        } else {
            PrintText(name, chosen);
        }
    }
    return status;
}

} // namespace

Command AddFrameCommand(CLI::App& app) {
    auto options = std::make_shared<FrameOptions>();
    CLI::App* frame = app.add_subcommand(
        "frame", "Print the frame each image would get: FILE, face or centre, and X Y WIDTH "
                 "HEIGHT in the image's pixels as shown");
    frame->add_option("IMAGE", options->images, "Image files")->required();
    frame->add_flag("--json", options->json,
                    "One compact JSON object per image and line, with the faces found");
    frame->add_option("--card", options->card,
                      "For vCard files: the card whose photo to frame, by number or whole name; "
                      "a crop the card carries is applied first, and coordinates are given in "
                      "the whole photo");
    return {frame, [options] { return RunFrame(*options); }};
}
