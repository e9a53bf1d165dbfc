#include "import/text/FileError.h"

namespace quillmere {

FileError::FileError(QString path, QString reason)
    : Error(path + QStringLiteral(": ") + reason)
    , path_(std::move(path))
    , reason_(std::move(reason)) {}

} // namespace quillmere
