#include "app/FileExists.h"

#include <QFileInfo>

namespace quillmere::app {

bool fileExists(const QString& path) {
    // The file system cannot hold a name with a NUL in it; Qt would warn about it rather than just say no.
    return !path.isEmpty() && !path.contains(QChar(0)) && QFileInfo::exists(path);
}

} // namespace quillmere::app
