// HEIF files built in the test from photo.heic's one tile: a grid item that repeats the tile,
// with a stated size (ispe) that may lie about what the grid decodes to.
#pragma once

#include <cstdint>
#include <vector>

// A HEIF whose primary item is a rows x columns grid of photo.heic's 320x320 tile, with an
// output size of columns*320 x rows*320 and a stated size of statedSide squared.
std::vector<std::uint8_t> TileGridHeif(const std::vector<std::uint8_t>& photo, int rows,
                                       int columns, std::uint32_t statedSide);

// photo.heic with the size its image states changed to side x side.
std::vector<std::uint8_t> ClaimingSize(std::vector<std::uint8_t> photo, std::uint32_t side);
