#include "import/FileError.h"

namespace quillmere {

FileError::FileError(QString path, QString reason)
    : std::runtime_error((path + QStringLiteral(": ") + reason).toStdString())
    , path_(std::move(path))
    , reason_(std::move(reason))
{
}

QString FileError::message() const
{
    return path_ + QStringLiteral(": ") + reason_;
}

} // namespace quillmere
