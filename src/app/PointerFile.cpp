#include "app/PointerFile.h"

#include "app/FileExists.h"
#include "app/pointerfiles/CursorFile.h"

#include <QFile>
#include <QPixmap>

namespace quillmere::app {

std::optional<QCursor> loadPointerFile(const QString& path) {
    QFile file(path);
    if (!fileExists(path) || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const auto picture = pointerfiles::decodeCursorFile(file.readAll());
    if (!picture) {
        return std::nullopt;
    }
    return QCursor(QPixmap::fromImage(picture->image), picture->hotspot.x(), picture->hotspot.y());
}

} // namespace quillmere::app
