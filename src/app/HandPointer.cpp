#include "app/HandPointer.h"

#include "app/FileExists.h"
#include "app/pointerfiles/CursorFile.h"

#include <QFile>
#include <QPixmap>

namespace quillmere {

QCursor LoadHandPointer(const QString& cursorFile) {
    QFile file(cursorFile);
    if (!FileExists(cursorFile) || !file.open(QIODevice::ReadOnly)) {
        return Qt::PointingHandCursor;
    }
    const auto picture = DecodeCursorFile(file.readAll());
    if (!picture) {
        return Qt::PointingHandCursor;
    }
    return QCursor(QPixmap::fromImage(picture->image), picture->hotspot.x(), picture->hotspot.y());
}

} // namespace quillmere
