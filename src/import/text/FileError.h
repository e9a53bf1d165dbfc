#pragma once

#include "base/Error.h"

#include <QCoreApplication>

namespace quillmere {

// A file could not be read or written; says which and the system's reason.
class FileError : public Error {
    Q_DECLARE_TR_FUNCTIONS(FileError)

public:
    FileError(const QString& path, const QString& reason);
};

} // namespace quillmere
