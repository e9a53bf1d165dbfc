#pragma once

#include <QStringList>

namespace quillmere {

// Sorts names as a file manager shows them: letter case is ignored and every run of digits compares by its value,
// however long, so "day2" comes before "day10" and "a" before "B"; digits come before letters. Names that are
// equal by that measure ("A1", "a01", "a1") keep one fixed order, by their code units.
void SortNaturally(QStringList& names);

} // namespace quillmere
