// The desktop's clipboard, for pictures.
#pragma once

#include "platform/image_io.h"

#include <cstdint>
#include <optional>
#include <span>

bool ClipboardHasImage();
// The clipboard's image, upright and with transparent pixels composited onto white. With no
// image on the clipboard there is neither an image nor an error; an image the reader refuses
// (one beyond its size limit) comes without an image and with the reader's reason.
DecodedImage GetClipboardImage();
// Puts a grey picture (width x height bytes, top row first) on the clipboard as an image.
bool SetClipboardGreyImage(int width, int height, std::span<const std::uint8_t> grey);
