// The search itself, inside the face-finding module: the toolkit's cascades on copies of the
// picture, their votes weighed by faces/face_votes.h.
#pragma once

#include "convert/framing.h"

#include <opencv2/objdetect.hpp>

#include <array>
#include <string>
#include <vector>

enum class CascadeKind { FrontalHaar, FrontalLbp, ProfileHaar, ProfileLbp, Eye, EyeWithGlasses };

// The cascades the search uses, each loaded from the folder the first time a search needs it:
// a portrait's face is found with two small ones, and the large ones are parsed only for
// pictures that need the full search.
class Cascades {
public:
    explicit Cascades(std::string folder) : m_folder(std::move(folder)) {}
    const std::string& Folder() const { return m_folder; }
    // Throws std::runtime_error when the cascade cannot be loaded, which ends the search.
    cv::CascadeClassifier& Get(CascadeKind kind);

private:
    std::string m_folder;
    std::array<cv::CascadeClassifier, 6> m_cascades;
};

// The faces of at least smallest pixels in rgb (8-bit, 3 channels), in rgb's pixels, largest
// first.
std::vector<CropRect> SearchFaces(Cascades& cascades, const cv::Mat& rgb, int smallest);
