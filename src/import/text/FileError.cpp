#include "import/text/FileError.h"

namespace quillmere {

FileError::FileError(const QString& path, const QString& reason)
    //: A file's path and the system's reason why it could not be read or written.
    : Error(tr("%1: %2").arg(path, reason)) {}

} // namespace quillmere
