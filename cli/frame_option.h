// --frame face|centre, which set and build share.
#pragma once

#include "cli/choice_option.h"
#include "faces/frame_choice.h"

inline CLI::Option* AddFrameOption(CLI::App& command, FrameChoice& frame) {
    static const std::map<std::string, FrameChoice> kFrames{{"face", FrameChoice::Face},
                                                            {"centre", FrameChoice::Centre}};
    return WithChoices(command.add_option("--frame", frame,
                                          "Where a crop starts: face (the default) frames the "
                                          "largest face found, centre the middle"),
                       kFrames);
}
