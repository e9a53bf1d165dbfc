#include "import/run/Counts.h"

#include <QCoreApplication>

#include <limits>

namespace quillmere {
namespace {

// tr() takes its count as an int, and a file of gigabytes can need more rows or columns: such a count takes the plural
// form of a number with the same last nine digits, which decide the form in every language, and shows its own digits.
template <typename Text>
QString counted(qint64 count, Text text) {
    if (count <= std::numeric_limits<int>::max()) {
        return text(int(count));
    }
    constexpr qint64 nineDigits = 1'000'000'000;
    const int form = int(nineDigits + count % nineDigits);
    return text(form).replace(QString::number(form), QString::number(count));
}

// One of a thing has a text of its own: with no translation file, which the program does not ship, %n would give
// "1 rows".
QString counted(qint64 count, const char* one, const char* many) {
    return count == 1
               ? QCoreApplication::translate("Counts", one)
               : counted(count, [many](int n) { return QCoreApplication::translate("Counts", many, nullptr, n); });
}

} // namespace

QString countedRows(qint64 count) {
    return counted(count, QT_TRANSLATE_NOOP("Counts", "1 row"), QT_TRANSLATE_N_NOOP("Counts", "%n rows"));
}

QString countedColumns(qint64 count) {
    return counted(count, QT_TRANSLATE_NOOP("Counts", "1 column"), QT_TRANSLATE_N_NOOP("Counts", "%n columns"));
}

QString countedCharacters(qint64 count) {
    return counted(count, QT_TRANSLATE_NOOP("Counts", "1 character"), QT_TRANSLATE_N_NOOP("Counts", "%n characters"));
}

} // namespace quillmere
