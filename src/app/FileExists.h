#pragma once

#include <QString>

namespace quillmere::app {

// True when the path names an existing file or folder. A missing, empty or malformed path is simply false.
bool FileExists(const QString& path);

} // namespace quillmere::app
