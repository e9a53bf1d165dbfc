#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <stdexcept>

namespace quillmere::testing {

// What the file at path holds; empty where it cannot be read.
inline QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A temporary folder that test files are written into; removed with the object.
class TextFiles {
public:
    QString path(const QString& name) const { return dir_.filePath(name); }
    // Writes the bytes to name inside the folder, making the folders between, and gives the full path.
    QString write(const QString& name, const QByteArray& bytes) {
        const QString full = path(name);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile file(full);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            throw std::runtime_error("cannot write " + full.toStdString());
        }
        return full;
    }
    const QTemporaryDir& dir() const { return dir_; }

private:
    QTemporaryDir dir_;
};

} // namespace quillmere::testing
