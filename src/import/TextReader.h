#pragma once

#include <QString>

namespace quillmere {

// The whole content of a text file, decoded by decodeText(). An empty file gives an empty text.
// Throws FileError naming the path and the system's reason when the path is missing, a folder, or unreadable.
QString ReadTextFile(const QString& path);

// Throws FileError when ReadTextFile() would fail before reading a byte: missing, a folder, or not readable.
void checkReadable(const QString& path);

} // namespace quillmere
