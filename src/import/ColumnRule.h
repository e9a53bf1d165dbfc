#pragma once

#include <QChar>

namespace quillmere {

// How each line is cut into cells.
enum class ColumnRule { NoSplit, SplitAtSpace, SplitAtComma, SplitAtText, SplitAtTab };

// Where the files go: all into the first sheet, or one new sheet per file.
enum class SheetLayout { SingleSheet, SheetPerFile };

// The one internal mark of a column boundary. Input text that holds it is cut there too, under every rule.
inline constexpr QChar CellSeparator{0x00B8};

} // namespace quillmere
