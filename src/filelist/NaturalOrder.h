#pragma once

#include <QStringList>

namespace quillmere {

// Sorts names as a file manager shows them, by the user's language: letter case is ignored, accented letters stand
// beside their plain ones ("Émile" before "zeta") and every run of digits compares by its value, so "day2" comes
// before "day10"; digits come before letters. Names that are equal by that measure ("A1", "a1") keep one fixed
// order, by their code units.
void SortNaturally(QStringList& names);

} // namespace quillmere
