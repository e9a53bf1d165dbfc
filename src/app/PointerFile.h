#pragma once

#include <QCursor>
#include <QString>

#include <optional>

namespace quillmere::app {

// The pointer pictured in a cursor or icon file, or nullopt when the file cannot be read as one. A missing or
// damaged file (or a folder of that name) is no reason to stop: the caller keeps a pointer of its own.
std::optional<QCursor> loadPointerFile(const QString& path);

} // namespace quillmere::app
