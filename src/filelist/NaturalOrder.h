#pragma once

#include <QByteArrayList>

namespace quillmere::filelist {

// Sorts names, given as the file system's bytes, as a file manager shows them, by the user's language: letter case is
// ignored, accented letters stand beside their plain ones ("Émile" before "zeta") and every run of digits compares by
// its value, so "day2" comes before "day10"; digits come before letters. Names that are equal by that measure ("A1",
// "a1") keep one fixed order, by their bytes.
void sortNaturally(QByteArrayList& names);

} // namespace quillmere::filelist
