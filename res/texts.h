// Every text the program shows the user besides its dialog templates.
#pragma once

#include <string_view>

namespace res {

inline constexpr std::string_view kPackFilter =
    "Tessaly packs (*.bin)| *.bin|All files (*.*)|*.*||";
inline constexpr std::string_view kBitmapFilter = "Bitmaps (*.bmp)| *.bmp|All files (*.*)|*.*||";

inline constexpr std::string_view kErrorCaption = "Error";
inline constexpr std::string_view kShortReadMessage = "Not all data can be read!";
inline constexpr std::string_view kCannotOpenMessage = "The file cannot be opened!";
inline constexpr std::string_view kCannotSaveMessage = "The file cannot be saved!";
inline constexpr std::string_view kBadIdMessage = "ID must be a number from -32768 to 65535";
inline constexpr std::string_view kBitmapSizeMessage = "Bitmap must be 48x50 max 8bpp";
inline constexpr std::string_view kBitmapUnreadableMessage = "The bitmap file cannot be read!";
inline constexpr std::string_view kImageUnreadableMessage = "The image cannot be read!";

inline constexpr std::string_view kContactsHeading = "Contacts";
inline constexpr std::string_view kEmptySlotText = "000";

} // namespace res
