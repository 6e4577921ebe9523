#include "cli/conversion_options.h"

#include "cli/choice_option.h"
#include "cli/frame_option.h"

#include <algorithm>
#include <map>
#include <string>

namespace {

const std::map<std::string, Framing> kFramings{
    {"crop", Framing::Crop}, {"fit", Framing::Fit}, {"stretch", Framing::Stretch}};
const std::map<std::string, Dithering> kDitherings{{"none", Dithering::None},
                                                   {"floyd-steinberg", Dithering::FloydSteinberg},
                                                   {"atkinson", Dithering::Atkinson},
                                                   {"ordered", Dithering::Ordered4x4},
                                                   {"optimised", Dithering::Optimised}};

} // namespace

std::vector<CLI::Option*> AddConversionOptions(CLI::App& command, PictureOptions& conversion) {
    ConvertSettings& settings = conversion.settings;
    return {
        WithChoices(
            command.add_option("--fit", conversion.framing, "crop (the default), fit or stretch"),
            kFramings),
        AddFrameOption(command, conversion.frame),
        WithChoices(command.add_option("--dither", settings.dithering,
                                       "optimised (the default: each pixel placed for the eye), "
                                       "floyd-steinberg, atkinson, ordered or none; all but none "
                                       "mix the display greys in linear light"),
                    kDitherings),
        command.add_flag("--auto-levels,!--no-auto-levels", settings.tone.autoLevels,
                         "On by default: place the face's greys across the display's, skin in "
                         "the middle greys (the face measured when the frame is on one), else "
                         "stretch the picture's 1st to 99th percentile greys to black and white; "
                         "--no-auto-levels turns it off"),
        command
            .add_option("--brightness", settings.tone.brightness,
                        "-100 to 100, adding 2.55 grey steps each (default 0)")
            ->check(CLI::Range(kToneBrightnessMin, kToneBrightnessMax)),
        command.add_option("--contrast", settings.tone.contrast, "-100 to 100 (default 0)")
            ->check(CLI::Range(kToneContrastMin, kToneContrastMax)),
        command.add_option("--gamma", settings.tone.gamma, "0.2 to 5 (default 1)")
            ->check(CLI::Range(kToneGammaMin, kToneGammaMax)),
        command
            .add_option("--sharpen", settings.tone.sharpen,
                        "0 to 100, unsharp masking at the picture's size (default 0)")
            ->check(CLI::Range(0, kToneSharpenMax)),
        command.add_flag("--invert", settings.tone.invert, "Swap dark and light"),
    };
}

bool AnyGiven(const std::vector<CLI::Option*>& options) {
    return std::ranges::any_of(options,
                               [](const CLI::Option* option) { return option->count() > 0; });
}
