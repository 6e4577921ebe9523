#include "faces/face_finder.h"

#include "base/private_module.h"
#include "faces/face_module.h"

#include <array>
#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace {

// More faces than this in one photo are a crowd; the largest is the one framed anyway.
constexpr int kMostFaces = 32;

FindFacesFunction FindFunction(const FaceSearch& search) {
    return reinterpret_cast<FindFacesFunction>(FindModuleSymbol(search.module, kFindFacesSymbol));
}

} // namespace

std::string FaceFindingProblem(const FaceSearch& search) {
    const auto find = FindFunction(search);
    if (find == nullptr) {
        const std::string problem = ModuleProblem(search.module);
        return problem.empty() ? search.module + " has no face finder" : problem;
    }
    if (::access(search.cascade.c_str(), R_OK) != 0) {
        return search.cascade + ": " + std::strerror(errno);
    }
    // A search of one pixel loads the cascade, which is what a damaged file fails at.
    const std::array<std::uint8_t, 3> pixel{};
    std::array<int, 4> rect{};
    if (find(search.cascade.c_str(), pixel.data(), 1, 1, 1, rect.data(), 1) < 0) {
        return search.cascade + ": the face cascade cannot be loaded";
    }
    return {};
}

std::vector<CropRect> FindFaces(int width, int height, std::span<const std::uint8_t> rgb,
                                int smallest, const FaceSearch& search) {
    if (width <= 0 || height <= 0 ||
        rgb.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3) {
        return {};
    }
    const auto find = FindFunction(search);
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
