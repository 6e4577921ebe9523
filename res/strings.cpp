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

// The sizes up to 128 let the About box and the window icon stay sharp on a screen scaled by
// two or three; larger ones are left to the desktop's icon theme.
constexpr std::array<std::string_view, 5> kMainFrameFiles{
    ":/icons/mainframe16.png", ":/icons/mainframe32.png", ":/icons/mainframe48.png",
    ":/icons/mainframe64.png", ":/icons/mainframe128.png"};
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
