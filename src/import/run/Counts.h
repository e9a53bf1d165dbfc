#pragma once

#include <QString>

namespace quillmere {

// Counts as the run's messages say them: "1 row", "12 rows", also past the largest int.
QString countedRows(qint64 count);
QString countedColumns(qint64 count);
QString countedCharacters(qint64 count);

} // namespace quillmere
