// What the Import Image dialog shows and stores: the light of the framed part of the source,
// averaged down once, then made into the four levels with the current settings.
#pragma once

#include "convert/convert.h"
#include "image/image_io.h"

#include <optional>

class ImportPreview {
public:
    // Where auto levels measure while the crop is the face frame: a box in the 48x50 picture.
    struct FaceLevels {
        PixelRect crop;
        CropRect box;
    };

    // Starts with crop (in source's pixels) and settings, averaged and rendered once.
    ImportPreview(RgbImage source, const PixelRect& crop, const ConvertSettings& settings,
                  std::optional<FaceLevels> faceLevels = std::nullopt);

    const RgbImage& Source() const { return m_source; }
    PixelRect Crop() const { return m_crop; }
    const ConvertSettings& Settings() const { return m_settings; }
    // The result as levels 0..3, one per pixel of the 48x50 picture.
    const PictureLevels& Levels() const { return m_levels; }

    // Averages the framed part anew; the slow step, so only a moved frame takes it.
    void SetCrop(const PixelRect& crop);
    // Frames crop of another source: the photo once it replaces its thumbnail, with the face
    // levels of its own faces.
    void SetSource(RgbImage source, const PixelRect& crop,
                   std::optional<FaceLevels> faceLevels = std::nullopt);
    // Re-renders from the scaled part kept since the frame last moved.
    void SetSettings(const ConvertSettings& settings);

private:
    void Render();

    RgbImage m_source;
    PixelRect m_crop;
    GreyPlane m_linear;
    ConvertSettings m_settings;
    std::optional<FaceLevels> m_faceLevels;
    PictureLevels m_levels{};
};
