#include "editor/import_image/full_photo.h"

#include <new>
#include <utility>

LandedPhoto SearchedPhoto(DecodedImage decoded, const FaceSearch& search) {
    LandedPhoto photo{std::move(decoded), {}};
    if (photo.decoded.image) {
        photo.faces = LookForFaces(*photo.decoded.image, photo.decoded.fullSize, search);
    }
    return photo;
}

FullPhoto::FullPhoto(Decode decode, std::function<void()> landed)
    : m_result(std::make_shared<LandedPhoto>()) {
    m_job = BackgroundJob::Start(
        [result = m_result, decode = std::move(decode)] {
            // An exception may not leave the thread; running out of memory is the photo's
            // failure, reported as any reader's reason is.
            try {
                *result = decode();
            } catch (const std::bad_alloc&) {
                *result = {{std::nullopt, {}, "There is not enough memory for it"}, {}};
            }
        },
        std::move(landed));
}

FullPhoto::~FullPhoto() {
    // A cancelled dialog does not wait for the photo: it decodes on, and is dropped.
    m_job->Abandon();
}

LandedPhoto FullPhoto::Take() {
    m_job->Wait();
    m_job->Abandon();
    return std::move(*m_result);
}
