// The desktop's clipboard, for pictures.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

bool ClipboardHasImage();
// The clipboard's image as a PNG file in memory, so that the one image reader decodes it exactly
// as it decodes a file. Nothing when the clipboard holds no image; an empty file when its image
// could not be copied.
std::optional<std::vector<std::uint8_t>> GetClipboardImagePng();
// Puts a grey picture (width x height bytes, top row first) on the clipboard as an image.
bool SetClipboardGreyImage(int width, int height, std::span<const std::uint8_t> grey);
