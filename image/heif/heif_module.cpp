// The HEIF module on libheif. Only this file sees libheif, and only the module links it.
#include "image/heif_module.h"
#include "image/over_white.h"

#include <libheif/heif.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct ContextFree {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleFree {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageFree {
    void operator()(heif_image* image) const { heif_image_release(image); }
};
struct OptionsFree {
    void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};

// libheif's own refusal of a size over its limits is the same refusal as ours, and is said as
// ours is, not in libheif's words.
bool IsOverLimits(const heif_error& error) {
    return error.subcode == heif_suberror_Security_limit_exceeded;
}

// libheif 1.15 limits only each side. Our limit counts pixels, so the side limit is the longest
// side a picture within our limit can have, but never looser than libheif's own default.
int SideLimit(std::uint64_t maxPixels) {
    constexpr std::uint64_t kLibheifDefaultSide = 32768;
    return static_cast<int>(std::min(maxPixels, kLibheifDefaultSide));
}

void CopyReason(const heif_error& error, char* to, std::size_t size) {
    if (size == 0) {
        return;
    }
    const char* message = error.message != nullptr ? error.message : "Unknown error";
    std::strncpy(to, message, size - 1);
    to[size - 1] = '\0';
}

// From libheif's interleaved rows, which may be padded, to unpadded RGB over white.
void CopyPixels(const std::uint8_t* plane, int stride, bool alpha, int width, int height,
                std::uint8_t* out) {
    const int step = alpha ? 4 : 3;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = plane + static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < width; ++x, in += step, out += 3) {
            const std::uint8_t a = alpha ? in[3] : 255;
            out[0] = OverWhite(in[0], a);
            out[1] = OverWhite(in[1], a);
            out[2] = OverWhite(in[2], a);
        }
    }
}

heif_error DecodePrimary(const heif_image_handle* handle, bool alpha,
                         std::unique_ptr<heif_image, ImageFree>& image) {
    const std::unique_ptr<heif_decoding_options, OptionsFree> options(
        heif_decoding_options_alloc());
    options->convert_hdr_to_8bit = 1;
    heif_image* decoded = nullptr;
    const heif_error error = heif_decode_image(
        handle, &decoded, heif_colorspace_RGB,
        alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get());
    image.reset(decoded);
    return error;
}

struct Request {
    std::uint64_t maxPixels;
    HeifAllocate allocate;
    void* context;
    int* width;
    int* height;
    char* error;
    std::size_t errorSize;
};

int DecodeHandle(const heif_image_handle* handle, const Request& request) {
    *request.width = heif_image_handle_get_width(handle);
    *request.height = heif_image_handle_get_height(handle);
    if (*request.width <= 0 || *request.height <= 0) {
        CopyReason({heif_error_Invalid_input, heif_suberror_Unspecified, "The image has no size"},
                   request.error, request.errorSize);
        return kHeifUnreadable;
    }
    if (static_cast<std::uint64_t>(*request.width) * static_cast<std::uint64_t>(*request.height) >
        request.maxPixels) {
        return kHeifTooLarge;
    }
    const bool alpha = heif_image_handle_has_alpha_channel(handle) != 0;
    std::unique_ptr<heif_image, ImageFree> image;
    if (const heif_error error = DecodePrimary(handle, alpha, image); error.code != heif_error_Ok) {
        CopyReason(error, request.error, request.errorSize);
        return IsOverLimits(error) ? kHeifTooLarge : kHeifUnreadable;
    }
    int stride = 0;
    const std::uint8_t* plane =
        heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    *request.width = heif_image_get_width(image.get(), heif_channel_interleaved);
    *request.height = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (plane == nullptr || *request.width <= 0 || *request.height <= 0) {
        CopyReason({heif_error_Decoder_plugin_error, heif_suberror_Unspecified,
                    "The decoder gave no picture"},
                   request.error, request.errorSize);
        return kHeifUnreadable;
    }
    std::uint8_t* out = request.allocate(request.context, *request.width, *request.height);
    if (out == nullptr) {
        return kHeifNoMemory;
    }
    CopyPixels(plane, stride, alpha, *request.width, *request.height, out);
    return kHeifDecoded;
}

// The file's context and its primary image, or the reason they cannot be had.
struct OpenedFile {
    std::unique_ptr<heif_context, ContextFree> context;
    std::unique_ptr<heif_image_handle, HandleFree> primary;
};

// kHeifDecoded once the file is open, kHeifTooLarge when libheif's limits refuse it, and
// kHeifUnreadable with libheif's reason otherwise.
int OpenPrimary(const std::uint8_t* data, std::size_t size, std::uint64_t maxPixels,
                OpenedFile& file, char* error, std::size_t errorSize) {
    // The codecs are registered once for the whole process.
    static std::once_flag initialised;
    std::call_once(initialised, [] { heif_init(nullptr); });
    file.context.reset(heif_context_alloc());
    // A phone's photo is a grid of tiles, which libheif decodes in parallel; the user waits for
    // it, so every core takes part.
    heif_context_set_max_decoding_threads(
        file.context.get(), static_cast<int>(std::max(1U, std::thread::hardware_concurrency())));
    heif_context_set_maximum_image_size_limit(file.context.get(), SideLimit(maxPixels));
    heif_error result =
        heif_context_read_from_memory_without_copy(file.context.get(), data, size, nullptr);
    if (result.code == heif_error_Ok) {
        heif_image_handle* primary = nullptr;
        result = heif_context_get_primary_image_handle(file.context.get(), &primary);
        file.primary.reset(primary);
    }
    if (result.code != heif_error_Ok) {
        CopyReason(result, error, errorSize);
        return IsOverLimits(result) ? kHeifTooLarge : kHeifUnreadable;
    }
    return kHeifDecoded;
}

// Phones store one thumbnail, but the format allows several; the largest shows the most.
std::unique_ptr<heif_image_handle, HandleFree> LargestThumbnail(const heif_image_handle* primary) {
    const int count = heif_image_handle_get_number_of_thumbnails(primary);
    std::vector<heif_item_id> ids(static_cast<std::size_t>(std::max(count, 0)));
    const int listed = heif_image_handle_get_list_of_thumbnail_IDs(primary, ids.data(), count);
    std::unique_ptr<heif_image_handle, HandleFree> largest;
    long long largestPixels = 0;
    for (int i = 0; i < listed; ++i) {
        heif_image_handle* thumbnail = nullptr;
        if (heif_image_handle_get_thumbnail(primary, ids[static_cast<std::size_t>(i)], &thumbnail)
                .code != heif_error_Ok) {
            continue;
        }
        std::unique_ptr<heif_image_handle, HandleFree> handle(thumbnail);
        const long long pixels = static_cast<long long>(heif_image_handle_get_width(thumbnail)) *
                                 heif_image_handle_get_height(thumbnail);
        if (pixels > largestPixels) {
            largestPixels = pixels;
            largest = std::move(handle);
        }
    }
    return largest;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int
snapfold_decode_heif(const std::uint8_t* data, std::size_t size, std::uint64_t maxPixels,
                     HeifAllocate allocate, void* context, int* width, int* height, char* error,
                     std::size_t errorSize) {
    const Request request{maxPixels, allocate, context, width, height, error, errorSize};
    *width = 0;
    *height = 0;
    OpenedFile file;
    if (const int opened = OpenPrimary(data, size, maxPixels, file, error, errorSize);
        opened != kHeifDecoded) {
        return opened;
    }
    return DecodeHandle(file.primary.get(), request);
}

extern "C" __attribute__((visibility("default"))) int
snapfold_decode_heif_thumbnail(const std::uint8_t* data, std::size_t size, std::uint64_t maxPixels,
                               HeifAllocate allocate, void* context, int* width, int* height,
                               int* primaryWidth, int* primaryHeight, char* error,
                               std::size_t errorSize) {
    const Request request{maxPixels, allocate, context, width, height, error, errorSize};
    *width = 0;
    *height = 0;
    *primaryWidth = 0;
    *primaryHeight = 0;
    OpenedFile file;
    if (const int opened = OpenPrimary(data, size, maxPixels, file, error, errorSize);
        opened != kHeifDecoded) {
        return opened;
    }
    *primaryWidth = heif_image_handle_get_width(file.primary.get());
    *primaryHeight = heif_image_handle_get_height(file.primary.get());
    const auto thumbnail = LargestThumbnail(file.primary.get());
    if (!thumbnail) {
        return kHeifNoThumbnail;
    }
    return DecodeHandle(thumbnail.get(), request);
}
