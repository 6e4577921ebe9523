#include "editor/import_image/import_preview.h"

#include "convert/linear_scale.h"

#include <utility>

ImportPreview::ImportPreview(RgbImage source, const PixelRect& crop,
                             const ConvertSettings& settings)
    : m_source(std::move(source)), m_settings(settings) {
    SetCrop(crop);
}

void ImportPreview::SetCrop(const PixelRect& crop) {
    m_crop = crop;
    m_linear = AverageLinearGrey({m_source.width, m_source.height, m_source.rgb, {}}, crop,
                                 kConvertWidth, kConvertHeight);
    Render();
}

void ImportPreview::SetSource(RgbImage source, const PixelRect& crop) {
    m_source = std::move(source);
    SetCrop(crop);
}

void ImportPreview::SetSettings(const ConvertSettings& settings) {
    m_settings = settings;
    Render();
}

void ImportPreview::Render() {
    m_levels = ConvertLinearToLevels(m_linear, m_settings);
}
