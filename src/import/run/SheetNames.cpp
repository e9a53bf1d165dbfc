#include "import/run/SheetNames.h"

#include <algorithm>
#include <cmath>

namespace quillmere {
namespace {

constexpr int suffixBound = 8000;
constexpr int maxDraws = 64;

bool isNameChar(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == ' ';
}

} // namespace

TakenNames::TakenNames(const std::vector<QString>& names) {
    for (const QString& name : names) {
        add(name);
    }
}

void TakenNames::add(const QString& name) {
    folded_.insert(name.toCaseFolded());
}

bool TakenNames::contains(const QString& name) const {
    return folded_.contains(name.toCaseFolded());
}

QString getFileName(const QString& path) {
    return path.sliced(path.lastIndexOf(u'/') + 1);
}

QString keepNameChars(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept), isNameChar);
    return kept;
}

int randomNumber(int n, std::mt19937& generator) {
    std::uniform_real_distribution<double> fraction(0.0, 1.0);
    // nearbyint rounds half to even in the default rounding mode.
    return int(std::nearbyint(fraction(generator) * n)) + 1;
}

QString freeSheetName(const QString& baseName, const TakenNames& taken, std::mt19937& generator, qsizetype maxLength) {
    // Not translated: a sheet's name keeps to ASCII letters, digits and spaces in every language.
    const QString base = baseName.isEmpty() ? QStringLiteral("Sheet") : baseName;
    const auto suffixed = [&](int number) {
        const QString digits = QString::number(number);
        return base.left(maxLength - digits.size()) + digits;
    };
    QString name = base.left(maxLength);
    for (int draw = 0; taken.contains(name) && draw < maxDraws; ++draw) {
        name = suffixed(randomNumber(suffixBound, generator));
    }
    // With thousands of files of one name the draws may keep hitting taken suffixes: count upward instead.
    for (int suffix = suffixBound + 2; taken.contains(name); ++suffix) {
        name = suffixed(suffix);
    }
    return name;
}

} // namespace quillmere
