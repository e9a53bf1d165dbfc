#pragma once

#include <QChar>

namespace quillmere {

// How each line is cut into cells.
enum class ColumnRule { NoSplit, SplitAtSpace, SplitAtComma, SplitAtText, SplitAtTab };

// The one internal mark of a column boundary. Input text that holds it is cut there too, under every rule.
inline constexpr QChar CellSeparator{0x00B8};

} // namespace quillmere
