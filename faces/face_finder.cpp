#include "faces/face_finder.h"

#include "base/private_module.h"
#include "faces/face_module.h"

#include <array>

namespace {

// More faces than this in one photo are a crowd; the largest is the one framed anyway.
constexpr int kMostFaces = 32;

} // namespace

std::vector<CropRect> FindFaces(int width, int height, std::span<const std::uint8_t> rgb,
                                int smallest, const FaceSearch& search) {
    if (width <= 0 || height <= 0 ||
        rgb.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3) {
        return {};
    }
    const auto find =
        reinterpret_cast<FindFacesFunction>(FindModuleSymbol(search.module, kFindFacesSymbol));
    if (find == nullptr) {
        return {};
    }
    std::array<int, 4 * kMostFaces> rects{};
    const int count =
        find(search.cascade.c_str(), rgb.data(), width, height, smallest, rects.data(), kMostFaces);
    std::vector<CropRect> faces;
    for (int i = 0; i < count && i < kMostFaces; ++i) {
        const auto at = static_cast<std::size_t>(4 * i);
        faces.push_back({rects[at], rects[at + 1], rects[at + 2], rects[at + 3]});
    }
    return faces;
}
