#include "faces/frame_choice.h"

#include "convert/face_frame.h"

std::vector<CropRect> FacesAtFullSize(const RgbImage& image, ImageSize fullSize,
                                      const FaceSearch& search) {
    std::vector<CropRect> faces = FindFaces(image.width, image.height, image.rgb, search);
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
