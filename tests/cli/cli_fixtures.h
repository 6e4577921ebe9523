// What the tests of snapfold's file handling share: packs with chosen slots, small pictures,
// and the program run in a folder.
#pragma once

#include "pack/pack_image.h"
#include "tests/support/cli_runner.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A whole pack whose pictures are all fill, with the given slot (0-24) and identifier pairs.
Bytes PackWith(const std::vector<std::pair<int, int>>& ids, std::uint8_t fill = 0);

// The identifier of slot (0-24) in a pack's bytes.
int IdAt(const Bytes& pack, int slot);

// The picture bytes of slot (0-24).
Bytes PictureAt(const Bytes& pack, int slot);

// A 48x50 BMP of at most 8 bits per pixel whose picture bytes are all fill, which set and build
// take as the editor's Set new Picture does.
Bytes SmallBitmap(std::uint8_t fill);

// snapfold run in folder, with input on standard input.
CliRun Snapfold(const std::string& folder, const std::vector<std::string>& args,
                const std::string& input = "");
