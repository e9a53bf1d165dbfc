#pragma once

#include <QSet>
#include <QString>

#include <limits>
#include <random>
#include <vector>

namespace quillmere {

// The part of a path behind its last '/', or the whole path when it has none.
QString getFileName(const QString& path);

// Only the ASCII letters, digits and spaces of the text, in their order: "Sales-2008 (final).txt" gives
// "Sales2008 finaltxt".
QString keepNameChars(const QString& text);

// A whole number from 1 to n + 1: a uniform fraction r times n, rounded half to even, plus one.
int randomNumber(int n, std::mt19937& generator);

// Sheet names in use, compared as the office compares them: without regard to letter case.
class TakenNames {
public:
    explicit TakenNames(const std::vector<QString>& names = {});
    void add(const QString& name);
    bool contains(const QString& name) const;

private:
    QSet<QString> folded_;
};

// The sheet name for a file's base name: "Sheet" when empty; while a taken name equals it in any letter case,
// the base name followed by randomNumber(8000), drawn again until the name is free (after many vain draws, the
// first free number above 8001). A name longer than maxLength loses its end, a suffixed one before the number.
QString freeSheetName(const QString& baseName, const TakenNames& taken, std::mt19937& generator,
                      qsizetype maxLength = std::numeric_limits<qsizetype>::max());

} // namespace quillmere
