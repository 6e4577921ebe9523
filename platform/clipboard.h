// The desktop's clipboard, for pictures.
#pragma once

#include "platform/image_io.h"

#include <cstdint>
#include <optional>
#include <span>

bool ClipboardHasImage();
// The clipboard's image, upright and with transparent pixels composited onto white; nothing
// when it holds no image.
std::optional<RgbImage> GetClipboardImage();
// Puts a grey picture (width x height bytes, top row first) on the clipboard as an image.
bool SetClipboardGreyImage(int width, int height, std::span<const std::uint8_t> grey);
