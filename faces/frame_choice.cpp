#include "faces/frame_choice.h"

#include "convert/face_frame.h"

#include <algorithm>
#include <cmath>

int SmallestFaceOnDecoded(const RgbImage& image, ImageSize fullSize) {
    if (fullSize.width <= 0 || image.width <= 0) {
        return 1;
    }
    const double reduced = static_cast<double>(image.width) / fullSize.width;
    return std::max(1, static_cast<int>(std::floor(kSmallestFramedFace * reduced)));
}

std::vector<CropRect> FacesAtFullSize(const RgbImage& image, ImageSize fullSize,
                                      const FaceSearch& search) {
    std::vector<CropRect> faces = FindFaces(image.width, image.height, image.rgb,
                                            SmallestFaceOnDecoded(image, fullSize), search);
    for (CropRect& face : faces) {
        face = MapRect(face, image.width, image.height, fullSize.width, fullSize.height);
    }
    return faces;
}

ChosenFrame ChooseFrame(const RgbImage& image, ImageSize fullSize, FrameChoice choice,
                        const FaceSearch& search) {
    ChosenFrame chosen;
    if (choice == FrameChoice::Face) {
        chosen.faces = FacesAtFullSize(image, fullSize, search);
    }
    chosen.byFace = !chosen.faces.empty();
    chosen.frame = FaceFrame(fullSize.width, fullSize.height, chosen.faces);
    return chosen;
}
