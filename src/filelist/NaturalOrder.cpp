#include "filelist/NaturalOrder.h"

#include <QCollator>

#include <algorithm>
#include <vector>

namespace quillmere::filelist {

namespace {

// The C locale collates by code units, which knows neither numbers nor accents.
QLocale collationLocale() {
    const QLocale user;
    return user.language() == QLocale::C ? QLocale(QLocale::English, QLocale::UnitedStates) : user;
}

struct KeyedName {
    QCollatorSortKey key;
    QByteArray name;
};

} // namespace

void sortNaturally(QByteArrayList& names) {
    QCollator collator(collationLocale());
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<KeyedName> keyed;
    keyed.reserve(names.size());
    for (QByteArray& name : names) {
        keyed.push_back({collator.sortKey(QString::fromUtf8(name)), std::move(name)});
    }
    std::sort(keyed.begin(), keyed.end(), [](const KeyedName& a, const KeyedName& b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    for (qsizetype i = 0; i < names.size(); ++i) {
        names[i] = std::move(keyed[i].name);
    }
}

} // namespace quillmere::filelist
