#include "import/TextReader.h"

#include "import/FileError.h"
#include "import/TextDecoding.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace quillmere {
namespace {

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// QFile opens a folder without complaint on this platform, so a folder is refused first.
void openForReading(QFile& file) {
    const QString path = file.fileName();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists()) {
        throw FileError(path, systemReason(ENOENT));
    }
    if (info.isDir()) {
        throw FileError(path, systemReason(EISDIR));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(path, file.errorString());
    }
}

} // namespace

void checkReadable(const QString& path) {
    QFile file(path);
    openForReading(file);
}

QString ReadTextFile(const QString& path) {
    QFile file(path);
    openForReading(file);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw FileError(path, file.errorString());
    }
    return decodeText(bytes);
}

} // namespace quillmere
