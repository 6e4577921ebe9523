// A photo's full image, decoded and searched for faces on a thread of its own while Import Image
// already shows the photo's thumbnail, so that the dialog opens at once and stays responsive.
#pragma once

#include "editor/import_image/import_frames.h"
#include "image/image_io.h"
#include "ui/background_job.h"

#include <functional>
#include <memory>

struct LandedPhoto {
    DecodedImage decoded;
    // The faces found on it, in the coordinates of decoded.fullSize, largest first.
    FoundFaces faces;
};

// decoded with its faces looked for where search says; what a FullPhoto's decoding gives.
LandedPhoto SearchedPhoto(DecodedImage decoded, const FaceSearch& search);

class FullPhoto {
public:
    // Decodes the photo and searches it for faces, on the thread of the FullPhoto's own.
    using Decode = std::function<LandedPhoto()>;

    // Starts decode on a thread of its own; landed runs on the windows' thread once it has
    // ended, unless the FullPhoto is gone or was taken first.
    FullPhoto(Decode decode, std::function<void()> landed);
    ~FullPhoto();
    FullPhoto(const FullPhoto&) = delete;
    FullPhoto& operator=(const FullPhoto&) = delete;

    // The photo, waiting for it if need be; landed does not run after this.
    LandedPhoto Take();

private:
    std::shared_ptr<LandedPhoto> m_result;
    std::shared_ptr<BackgroundJob> m_job;
};
