#include "res/strings.h"
#include "res/resource.h"

#include <array>

namespace res {
namespace {

struct StringEntry {
    int id;
    std::string_view text;
};

constexpr std::array kStrings{
    StringEntry{IDS_ABOUTBOX, "&About SnapfoldEditor..."},
};

constexpr std::array<std::string_view, 4> kMainFrameFiles{
    ":/icons/mainframe16.png", ":/icons/mainframe32.png", ":/icons/mainframe48.png",
    ":/icons/mainframe64.png"};
constexpr std::array<std::string_view, 1> kNoPictureFiles{":/icons/no_picture.png"};

} // namespace

std::string_view LoadString(int id) {
    for (const StringEntry& e : kStrings) {
        if (e.id == id) {
            return e.text;
        }
    }
    return {};
}

std::span<const std::string_view> IconFiles(int id) {
    switch (id) {
    case IDR_MAINFRAME:
        return kMainFrameFiles;
    case IDI_NO_PICTURE:
        return kNoPictureFiles;
    default:
        return {};
    }
}

} // namespace res
