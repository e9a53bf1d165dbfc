#pragma once

#include "import/FilePath.h"

#include <QString>

namespace quillmere {

// The whole content of a text file, decoded by decodeText(). An empty file gives an empty text.
// Throws FileError naming the path as shown and the reason when the path is missing, unreadable, or not a regular file
// (a folder, a pipe, a socket, a device), and reads no more than the file held when it was opened.
QString ReadTextFile(const FilePath& path);

// Throws FileError when ReadTextFile() would fail before reading a byte: missing, not readable, or not a regular
// file. Never waits, not even for a pipe's writer.
void checkReadable(const FilePath& path);

} // namespace quillmere
