// The options of set and build that ask for the conversion: framing, dithering and tone.
#pragma once

#include "cli/picture_input.h"

#include <CLI/CLI.hpp>

#include <vector>

// Adds the options to command, storing into conversion; returns them so that a caller can make
// each need another option.
std::vector<CLI::Option*> AddConversionOptions(CLI::App& command, PictureOptions& conversion);

// Whether the user gave any of them: then even a 48x50 bitmap goes through the conversion.
bool AnyGiven(const std::vector<CLI::Option*>& options);
