#include "ui/icon.h"

#include "res/strings.h"
#include "ui/qt/convert.h"
#include "ui/qt/icon.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

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
        // Named by its suffix and not guessed from its contents, the format is read by Qt's
        // built-in reader at once. Left to guess, Qt loads every image format plugin installed
        // first, which costs start-up time and memory.
        const QString path = ToQt(file);
        QImageReader reader(path, QFileInfo(path).suffix().toLatin1());
        reader.setAutoDetectImageFormat(false);
        data->icon.addPixmap(QPixmap::fromImageReader(&reader));
    }
    return loaded.emplace(id, std::move(data)).first->second.get();
}
