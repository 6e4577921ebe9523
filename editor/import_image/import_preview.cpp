#include "editor/import_image/import_preview.h"

#include "convert/linear_scale.h"

#include <utility>

ImportPreview::ImportPreview(RgbImage source, const PixelRect& crop,
                             const ConvertSettings& settings, std::optional<FaceLevels> faceLevels)
    : m_source(std::move(source)), m_settings(settings), m_faceLevels(faceLevels) {
    SetCrop(crop);
}

void ImportPreview::SetCrop(const PixelRect& crop) {
    m_crop = crop;
    m_linear = AverageLinearGrey({m_source.width, m_source.height, m_source.rgb, {}}, crop,
                                 kConvertWidth, kConvertHeight);
    Render();
}

void ImportPreview::SetSource(RgbImage source, const PixelRect& crop,
                              std::optional<FaceLevels> faceLevels) {
    m_faceLevels = faceLevels;
    m_source = std::move(source);
    SetCrop(crop);
}

void ImportPreview::SetSettings(const ConvertSettings& settings) {
    m_settings = settings;
    Render();
}

void ImportPreview::Render() {
    // The face's box holds only while the frame is the one chosen on the face; a frame moved by
    // hand has its levels measured on the whole of it.
    std::optional<CropRect> box;
    if (m_faceLevels) {
        const PixelRect& face = m_faceLevels->crop;
        if (face.x == m_crop.x && face.y == m_crop.y && face.width == m_crop.width &&
            face.height == m_crop.height) {
            box = m_faceLevels->box;
        }
    }
    m_levels = ConvertLinearToLevels(m_linear, m_settings, box);
}
