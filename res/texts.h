// Every text the program shows the user besides its dialog templates.
#pragma once

#include <string_view>

namespace res {

inline constexpr std::string_view kPackFilter =
    "Tessaly packs (*.bin)| *.bin|All files (*.*)|*.*||";
// "Set new Picture" offers bitmap files first, as it always did, then every other picture,
// under this label followed by their patterns, then all files.
inline constexpr std::string_view kBitmapFilterEntry = "Bitmaps (*.bmp)| *.bmp|";
inline constexpr std::string_view kPicturesLabel = "Pictures";

inline constexpr std::string_view kErrorCaption = "Error";
inline constexpr std::string_view kShortReadMessage = "Not all data can be read!";
inline constexpr std::string_view kCannotOpenMessage = "The file cannot be opened!";
inline constexpr std::string_view kCannotSaveMessage = "The file cannot be saved!";
// Save waited a few seconds for another program (a snapfold run, another editor) to finish.
inline constexpr std::string_view kFileInUseMessage =
    "The file is in use by another program. Your changes are kept; try saving again later.";
// Save found the file on disk no longer what the editor read or wrote.
inline constexpr std::string_view kChangedOnDiskQuestion =
    "The file has changed on disk since it was opened. Replace it with the editor's pack?";
// Save found a file of another length than a pack; %1 is its length in bytes.
inline constexpr std::string_view kNotAPackQuestion =
    "The file is not a Snapfold pack of 15050 bytes (it has %1 bytes). Replace it?";
inline constexpr std::string_view kBadIdMessage = "ID must be a number from -32768 to 65535";
inline constexpr std::string_view kBitmapSizeMessage = "Bitmap must be 48x50 max 8bpp";
inline constexpr std::string_view kBitmapUnreadableMessage = "The bitmap file cannot be read!";
inline constexpr std::string_view kImageUnreadableMessage = "The image cannot be read!";
// Why the Import Image dialog's "Find face" is disabled.
inline constexpr std::string_view kNoFaceFound = "No face found";
// Why it is disabled when faces cannot be looked for at all; the reason follows.
inline constexpr std::string_view kFaceFindingUnavailable = "Face finding is not available: ";
// The line under Import Image's picture: what the face search found, and where that put the
// frame. %d is the number of faces found.
inline constexpr std::string_view kOneFaceFound = "Face found";
inline constexpr std::string_view kFacesFound = "%d faces found: framing the largest";
inline constexpr std::string_view kFacesFoundCount = "%d faces found";
inline constexpr std::string_view kNoFaceFramedCentre = "No face found: framed on the centre";
// With "Find face" off the line claims no search; once the user moves the frame, it no
// longer says where the search put it.
inline constexpr std::string_view kFramedCentre = "Framed on the centre";
inline constexpr std::string_view kFramedByHand = "Framed by hand";
// Faces cannot be looked for at all; the tooltips give the reason.
inline constexpr std::string_view kFaceFindingNotAvailable = "Face finding is not available";

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

inline constexpr std::string_view kPicturesExistMessage =
    "Some pictures already exist in this folder. Replace them?";
inline constexpr std::string_view kReplaceButton = "Replace";
inline constexpr std::string_view kSkipButton = "Skip";
// Asked when the name typed was given an extension and the file by that name exists; the same
// words as the chooser's own question about the name as typed.
inline constexpr std::string_view kFileExistsQuestion =
    "%1 already exists.\nDo you want to replace it?";
inline constexpr std::string_view kYesButton = "Yes";
inline constexpr std::string_view kNoButton = "No";
inline constexpr std::string_view kExportPictureCaption = "Export Picture";
// Patterns that the image readers add at run time, ahead of "All files".
inline constexpr std::string_view kImagesLabel = "Images";
// Shown in Import Image while OK waits for the photo the thumbnail stands for.
inline constexpr std::string_view kReadingFullPhoto = "Reading the full photo\u2026";
inline constexpr std::string_view kAllFilesFilter = "All files (*.*)|*.*||";
inline constexpr std::string_view kExportFilter =
    "PNG images (*.png)|*.png|BMP images (*.bmp)|*.bmp||";

// The list's menu and the window menu.
inline constexpr std::string_view kImportImageItem = "Import Image...";
inline constexpr std::string_view kPastePictureItem = "Paste Picture";
inline constexpr std::string_view kCopyPictureItem = "Copy Picture";
inline constexpr std::string_view kExportPictureItem = "Export Picture...";
inline constexpr std::string_view kExportAllItem = "Export All Pictures...";
inline constexpr std::string_view kRemoveContactItem = "Remove Contact";
inline constexpr std::string_view kMoveUpItem = "Move Up";
inline constexpr std::string_view kMoveDownItem = "Move Down";
inline constexpr std::string_view kShowAllSlotsItem = "Show All Slots...";
inline constexpr std::string_view kUndoItem = "Undo";
inline constexpr std::string_view kRedoItem = "Redo";

// The Import Image dialog's dithering choices, in the order of the Dithering values.
inline constexpr std::string_view kDitheringNames[] = {"None", "Floyd-Steinberg", "Atkinson",
                                                       "Ordered 4x4", "Optimised"};

inline constexpr std::string_view kContactsHeading = "Contacts";
inline constexpr std::string_view kEmptySlotText = "000";
// Import Image's chooser lists address books with the images, and on their own.
inline constexpr std::string_view kAddressBooksLabel = "Address books";
inline constexpr std::string_view kAddressBookPatterns = "*.vcf;*.vcard";
// An address book that gives no contact to choose from.
inline constexpr std::string_view kAddressBookUnreadable = "The address book cannot be read!";
inline constexpr std::string_view kAddressBookEmpty = "The address book holds no contacts.";
// Choose Contact: what a row of a card says to assistive technology when its photo can be
// imported, and why it cannot when the image readers refuse the photo.
inline constexpr std::string_view kContactPhotoDescription = "Has a photo";
inline constexpr std::string_view kPhotoUnreadable = "Photo cannot be read";
// How assistive technology describes a row: "Slot 5 of 25", or "Slot 5 of 25, empty".
inline constexpr std::string_view kSlotDescription = "Slot %d of %d";
inline constexpr std::string_view kEmptySlotDescription = "Slot %d of %d, empty";
// How the All Slots window names its cells, and what it writes beneath each picture.
inline constexpr std::string_view kSlotCellName = "Slot %d, ID %d";
inline constexpr std::string_view kEmptySlotCellName = "Slot %d, empty";
inline constexpr std::string_view kSlotCellCaption = "%d: %d";
inline constexpr std::string_view kEmptySlotCellCaption = "%d: empty";
inline constexpr std::string_view kSheetFilter = "PNG images (*.png)|*.png||";

} // namespace res
