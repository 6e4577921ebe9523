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

inline constexpr std::string_view kUnsavedChangesQuestion =
    "The pack has unsaved changes. Save them?";
inline constexpr std::string_view kSaveAnswer = "Save";
inline constexpr std::string_view kDiscardAnswer = "Discard";
inline constexpr std::string_view kCancelAnswer = "Cancel";

inline constexpr std::string_view kDropPicturesMessage = "Drop pictures onto a row or the preview.";
inline constexpr std::string_view kDropOneFileMessage = "Drop one pack file at a time.";

inline constexpr std::string_view kOpenPackTip = "Open Snapfold (Ctrl+O)";
inline constexpr std::string_view kNewPackTip = "New Snapfold (Ctrl+N)";
inline constexpr std::string_view kSavePackTip = "Save Snapfold (Ctrl+S)";
inline constexpr std::string_view kRemoveContactTip = "Remove Contact (Delete)";

inline constexpr std::string_view kContactsHeading = "Contacts";
inline constexpr std::string_view kEmptySlotText = "000";
// How assistive technology describes a row: "Slot 5 of 25", or "Slot 5 of 25, empty".
inline constexpr std::string_view kSlotDescription = "Slot %d of %d";
inline constexpr std::string_view kEmptySlotDescription = "Slot %d of %d, empty";

} // namespace res
