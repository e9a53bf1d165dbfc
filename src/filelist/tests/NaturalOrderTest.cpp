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

TEST(NaturalOrder, DigitRunsCompareByValueHoweverLong) {
    EXPECT_EQ(sorted({"day10", "day2", "day1", "day02x"}), QStringList({"day1", "day2", "day02x", "day10"}));
    EXPECT_EQ(sorted({"v1.10", "v1.9", "v1.2"}), QStringList({"v1.2", "v1.9", "v1.10"}));
    EXPECT_EQ(sorted({"n100000000000000000000000000001", "n99999999999999999999", "n009"}),
              QStringList({"n009", "n99999999999999999999", "n100000000000000000000000000001"}));
    EXPECT_EQ(sorted({"ab", "a1b", "a", "a1"}), QStringList({"a", "a1", "a1b", "ab"}));
}

TEST(NaturalOrder, IgnoresCaseAndBreaksTiesTheSameWayWhateverTheInputOrder) {
    EXPECT_EQ(sorted({"zeta", "b.txt", "B.TXT", "Apple", "a.txt", "Émile", "émile", "Zürich", "Eve"}),
              QStringList({"a.txt", "Apple", "B.TXT", "b.txt", "Émile", "émile", "Eve", "zeta", "Zürich"}));

    const QStringList expected = {"A1", "a001", "a01", "a1", "a2", "B", "b"};
    QStringList shuffled = expected;
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        EXPECT_EQ(sorted(shuffled), expected);
    }
}
