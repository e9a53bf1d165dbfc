#include "filelist/NaturalOrder.h"

#include <algorithm>
#include <vector>

namespace quillmere {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// A text whose plain comparison is the natural order, computed once per name rather than once per comparison.
// A run of digits becomes the marker '0', its length without leading zeros and those digits: no letter can equal
// the marker, and a longer number sorts after a shorter one without ever being converted to a machine integer.
QString sortKey(QStringView name) {
    QString key;
    key.reserve(name.size() + 4);
    qsizetype at = 0;
    while (at < name.size()) {
        if (!isDigit(name[at])) {
            key += name[at++].toCaseFolded();
            continue;
        }
        qsizetype end = at;
        while (end < name.size() && isDigit(name[end])) {
            ++end;
        }
        while (at < end - 1 && name[at] == u'0') {
            ++at;
        }
        key += u'0';
        key += QChar(char16_t(end - at));
        key += name.sliced(at, end - at);
        at = end;
    }
    return key;
}

struct KeyedName {
    QString key;
    QString name;
};

bool operator<(const KeyedName& a, const KeyedName& b) {
    const int order = a.key.compare(b.key);
    return order != 0 ? order < 0 : a.name < b.name;
}

} // namespace

void SortNaturally(QStringList& names) {
    std::vector<KeyedName> keyed;
    keyed.reserve(names.size());
    for (QString& name : names) {
        keyed.push_back({sortKey(name), std::move(name)});
    }
    std::sort(keyed.begin(), keyed.end());
    for (qsizetype i = 0; i < names.size(); ++i) {
        names[i] = std::move(keyed[i].name);
    }
}

} // namespace quillmere
