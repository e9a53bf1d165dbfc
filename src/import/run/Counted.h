#pragma once

#include <QString>

namespace quillmere {

// A count with its noun, as messages read it: "1 row", "2 rows".
inline QString Counted(qint64 count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

} // namespace quillmere
