#include "platform/icon.h"

#include "platform/qt_icon.h"
#include "res/strings.h"

#include <map>
#include <memory>

HICON LoadIconResource(int id) {
    static std::map<int, std::unique_ptr<IconData>> loaded;
    auto found = loaded.find(id);
    if (found != loaded.end()) {
        return found->second.get();
    }
    const auto files = res::IconFiles(id);
    if (files.empty()) {
        return nullptr;
    }
    auto data = std::make_unique<IconData>();
    for (std::string_view file : files) {
        data->icon.addFile(QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size())));
    }
    return loaded.emplace(id, std::move(data)).first->second.get();
}

int GetSystemMetrics(int index) {
    return index == SM_CXICON || index == SM_CYICON ? 32 : 0;
}
