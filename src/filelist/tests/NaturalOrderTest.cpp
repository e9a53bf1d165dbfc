#include "filelist/NaturalOrder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

using namespace quillmere;

namespace {

QStringList sorted(const QStringList& names) {
    QByteArrayList bytes;
    for (const QString& name : names) {
        bytes << name.toUtf8();
    }
    SortNaturally(bytes);
    QStringList result;
    for (const QByteArray& name : bytes) {
        result << QString::fromUtf8(name);
    }
    return result;
}

} // namespace

// Digit runs compare by value however long; letters compare by the user's language, ignoring case.
TEST(NaturalOrder, ComparesNumbersByValueAndLettersIgnoringCase) {
    const QStringList orders[] = {
        {"day1", "day2", "day02x", "day10"},
        {"v1.2", "v1.9", "v1.10"},
        {"n009", "n99999999999999999999", "n100000000000000000000000000001"},
        {"a", "a1", "a1b", "ab"},
        {"a.txt", "Apple", "B.TXT", "b.txt", "Émile", "émile", "Eve", "zeta", "Zürich"},
        {"A1", "a001", "a01", "a1", "a2", "B", "b"},
    };
    std::mt19937 random(7);
    for (const QStringList& order : orders) {
        for (int round = 0; round < 10; ++round) {
            QStringList shuffled = order;
            std::shuffle(shuffled.begin(), shuffled.end(), random);
            EXPECT_EQ(sorted(shuffled), order);
        }
    }
}
