#pragma once

#include <QString>

namespace quillmere::app {

// True when the path names an existing file or folder. A missing, empty or malformed path is simply false.
bool fileExists(const QString& path);

} // namespace quillmere::app
