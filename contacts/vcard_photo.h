// What a PHOTO property holds, in the ways exporters write it.
#pragma once

#include "contacts/vcard.h"
#include "contacts/vcard_property.h"

#include <optional>
#include <string>
#include <string_view>

struct PhotoValue {
    CardPhoto photo;
    // Why the photo's data cannot be read; empty when it can or when there is none.
    std::string error;
};

// The photo of property, whose value (already joined across its lines) is value: base64 by
// its ENCODING, a data URI (with its comma escaped or not), or a link.
PhotoValue ReadPhotoValue(const VCardProperty& property, std::string_view value);

// The crop of an X-ABCROP-RECTANGLE=ABClipRect_1&X&Y&W&H&... parameter; nothing when there is
// none or it is not in that form.
std::optional<CardCrop> ReadCrop(const VCardProperty& property);
