// A slot's 600 bytes from an image file, by the same roads as the editor's: the "Set new
// Picture" rules for a small bitmap, and the Import Image conversion for anything else. The
// image may also be a card's photo inside a vCard file, named by --card or a manifest's fourth
// field.
#pragma once

#include "contacts/vcard.h"
#include "convert/convert.h"
#include "convert/framing.h"
#include "faces/frame_choice.h"

#include <memory>
#include <optional>
#include <string>

struct PictureOptions {
    Framing framing = Framing::Crop;
    // Where a crop starts: on the largest face, or centred. Fit and stretch take the whole image.
    FrameChoice frame = FrameChoice::Face;
    ConvertSettings settings = kDefaultConvertSettings;
    // Whether the user asked for any conversion option; then even a 48x50 bitmap of at most
    // 8 bits per pixel goes through the conversion instead of the "Set new Picture" rules.
    bool converting = false;
};

// An image as the user names it: a file, or a card of a vCard file.
struct PictureSource {
    std::string path;
    // The card's name or number; only for a vCard file, which needs one.
    std::optional<std::string> card;
    // The vCard file at path when it was read already, for build, whose manifest may take every
    // card from one address book of many megabytes; read again from path when null.
    std::shared_ptr<const VCardFile> cards = nullptr;
};

// The vCard file at path, read for sharing between pictures; null when it cannot be read or is
// no vCard file, which ReadPicture then reports for each picture.
std::shared_ptr<const VCardFile> ReadSharedCardFile(const std::string& path);

// What went wrong, for the user.
struct PictureError {
    std::string message;
    // The command line itself is wrong: a vCard without a card, or a card without a vCard.
    bool usage = false;
};

struct PictureResult {
    std::optional<PackedPicture> picture;
    // Why the file gave no picture: the message the editor shows, then the reader's reason, or
    // what is wrong with the card.
    PictureError error;
};

struct DecodedPicture {
    DecodedImage decoded;
    // For a card with a crop, where the crop lies in its photo: the decoded image's
    // coordinates start there. All zeros otherwise.
    PixelRect crop;
    PictureError error;
};

// The image decoded as ReadPicture decodes it.
DecodedPicture DecodePictureSource(const PictureSource& source);

PictureResult ReadPicture(const PictureSource& source, const PictureOptions& options);

// Says once on standard error, for the whole run, when faces cannot be looked for and why, so
// that a picture framed on its centre is not taken for one without a face.
void NoteFaceFindingOnce();
