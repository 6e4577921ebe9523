#include "tests/support/heic_writer.h"

#include <libheif/heif.h>

#include <cstring>
#include <memory>

namespace {

struct ContextFree {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct EncoderFree {
    void operator()(heif_encoder* encoder) const { heif_encoder_release(encoder); }
};
struct ImageFree {
    void operator()(heif_image* image) const { heif_image_release(image); }
};
struct HandleFree {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct OptionsFree {
    void operator()(heif_encoding_options* options) const { heif_encoding_options_free(options); }
};

std::unique_ptr<heif_image, ImageFree> ToHeifImage(const RgbImage& picture) {
    heif_image* image = nullptr;
    heif_image_create(picture.width, picture.height, heif_colorspace_RGB,
                      heif_chroma_interleaved_RGB, &image);
    std::unique_ptr<heif_image, ImageFree> owned(image);
    heif_image_add_plane(image, heif_channel_interleaved, picture.width, picture.height, 8);
    int stride = 0;
    std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    const auto rowBytes = static_cast<std::size_t>(picture.width) * 3;
    for (int y = 0; y < picture.height; ++y) {
        std::memcpy(plane + static_cast<std::ptrdiff_t>(y) * stride,
                    picture.rgb.data() + rowBytes * static_cast<std::size_t>(y), rowBytes);
    }
    return owned;
}

bool Ok(const heif_error& error) {
    return error.code == heif_error_Ok;
}

} // namespace

bool WriteHeic(const std::string& path, const RgbImage& picture, const HeicLayout& layout) {
    const std::unique_ptr<heif_context, ContextFree> context(heif_context_alloc());
    heif_encoder* made = nullptr;
    if (!Ok(heif_context_get_encoder_for_format(context.get(), heif_compression_HEVC, &made))) {
        return false;
    }
    const std::unique_ptr<heif_encoder, EncoderFree> encoder(made);
    heif_encoder_set_lossy_quality(encoder.get(), 90);
    const std::unique_ptr<heif_encoding_options, OptionsFree> options(
        heif_encoding_options_alloc());
    options->image_orientation = static_cast<heif_orientation>(layout.orientation);
    const auto image = ToHeifImage(picture);
    heif_image_handle* primary = nullptr;
    if (!Ok(heif_context_encode_image(context.get(), image.get(), encoder.get(), options.get(),
                                      &primary))) {
        return false;
    }
    const std::unique_ptr<heif_image_handle, HandleFree> primaryHandle(primary);
    bool thumbnailOk = true;
    if (layout.thumbnailBox > 0) {
        heif_image_handle* thumbnail = nullptr;
        thumbnailOk =
            Ok(heif_context_encode_thumbnail(context.get(), image.get(), primary, encoder.get(),
                                             options.get(), layout.thumbnailBox, &thumbnail));
        heif_image_handle_release(thumbnail);
    }
    if (layout.thumbnail) {
        // Stored upright: a program that forgets to turn its thumbnail writes it this way.
        const auto small = ToHeifImage(*layout.thumbnail);
        heif_image_handle* thumbnail = nullptr;
        thumbnailOk = thumbnailOk &&
                      Ok(heif_context_encode_image(context.get(), small.get(), encoder.get(),
                                                   nullptr, &thumbnail)) &&
                      Ok(heif_context_assign_thumbnail(context.get(), primary, thumbnail));
        heif_image_handle_release(thumbnail);
    }
    return thumbnailOk && Ok(heif_context_write_to_file(context.get(), path.c_str()));
}

RgbImage HalvesPicture(int width, int height) {
    RgbImage picture{width, height, {}};
    picture.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = width / 2; x < width; ++x) {
            const auto at = (static_cast<std::size_t>(y) * width + x) * 3;
            picture.rgb[at] = picture.rgb[at + 1] = picture.rgb[at + 2] = 255;
        }
    }
    return picture;
}
