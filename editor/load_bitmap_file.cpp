#include "editor/load_bitmap_file.h"

#include "import/bitmap_file.h"
#include "res/texts.h"
#include "ui/ui_services.h"

#include <string>

namespace {

void ReportRefusal(BitmapFileResult result) {
    switch (result) {
    case BitmapFileResult::Loaded:
        break;
    case BitmapFileResult::Unreadable:
        ShowWarning(std::string(res::kBitmapUnreadableMessage));
        break;
    case BitmapFileResult::WrongSize:
        ShowWarning(std::string(res::kBitmapSizeMessage));
        break;
    }
}

} // namespace

bool LoadBitmapFile(const std::string& path, CBitmap& bitmap) {
    const BitmapFileResult result = ReadBitmapFile(path, bitmap);
    ReportRefusal(result);
    return result == BitmapFileResult::Loaded;
}
