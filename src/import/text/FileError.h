#pragma once

#include "base/Error.h"

#include <QCoreApplication>

namespace quillmere {

// A file could not be read or written; carries the path and the system's reason.
class FileError : public Error {
    Q_DECLARE_TR_FUNCTIONS(FileError)

public:
    FileError(QString path, QString reason);

    const QString& path() const { return path_; }
    const QString& reason() const { return reason_; }

private:
    QString path_;
    QString reason_;
};

} // namespace quillmere
