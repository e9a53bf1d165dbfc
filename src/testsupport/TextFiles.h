#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace quillmere::testing {

// A temporary folder that test files are written into; removed with the object.
class TextFiles {
public:
    // Writes the bytes to name inside the folder and gives the full path.
    QString write(const QString& name, const QByteArray& bytes);
    QString path(const QString& name) const;
    const QTemporaryDir& dir() const { return dir_; }

private:
    QTemporaryDir dir_;
};

} // namespace quillmere::testing
