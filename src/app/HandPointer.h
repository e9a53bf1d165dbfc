#pragma once

#include <QCursor>
#include <QString>

namespace quillmere {

// The pointer over the picture buttons: the picture of the cursor file when it can be read, otherwise the
// platform's pointing hand. A missing or damaged file (or a folder of that name) is no reason to stop.
QCursor LoadHandPointer(const QString& cursorFile);

} // namespace quillmere
