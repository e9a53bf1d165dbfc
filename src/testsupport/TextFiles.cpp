#include "testsupport/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace quillmere::testing {

QString TextFiles::path(const QString& name) const {
    return dir_.filePath(name);
}

QString TextFiles::write(const QString& name, const QByteArray& bytes) {
    const QString full = path(name);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + full.toStdString());
    }
    return full;
}

} // namespace quillmere::testing
