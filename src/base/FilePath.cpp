#include "base/FilePath.h"

#include <QFile>

namespace quillmere {

FilePath::FilePath(const QString& text)
    : bytes(QFile::encodeName(text))
    , shown(text) {}

FilePath FilePath::fromBytes(QByteArray bytes) {
    FilePath path;
    path.shown = QString::fromUtf8(bytes);
    path.bytes = std::move(bytes);
    return path;
}

QList<FilePath> filePaths(const QStringList& texts) {
    return {texts.begin(), texts.end()};
}

QStringList shownPaths(const QList<FilePath>& paths) {
    QStringList shown;
    shown.reserve(paths.size());
    for (const FilePath& path : paths) {
        shown << path.shown;
    }
    return shown;
}

} // namespace quillmere
