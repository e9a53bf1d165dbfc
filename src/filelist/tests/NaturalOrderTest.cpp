#include "filelist/NaturalOrder.h"

#include "testsupport/GTestQt.h"

#include <gtest/gtest.h>

using namespace quillmere;
using namespace quillmere::filelist;

// Digit runs compare by value however long; letters by the user's language, ignoring case; ties the same way
// whatever order the folder gave.
TEST(NaturalOrder, ComparesNumbersByValueAndLettersIgnoringCase) {
    const QByteArrayList orders[] = {
        {"day1", "day2", "day02x", "day10"},
        {"v1.2", "v1.9", "v1.10"},
        {"n009", "n99999999999999999999", "n100000000000000000000000000001"},
        {"a", "a1", "a1b", "ab"},
        {"a.txt", "Apple", "B.TXT", "b.txt", "Émile", "émile", "Eve", "zeta", "Zürich"},
        {"A1", "a001", "a01", "a1", "a2", "B", "b"},
    };
    for (const QByteArrayList& order : orders) {
        QByteArrayList names(order.rbegin(), order.rend());
        sortNaturally(names);
        EXPECT_EQ(names, order);
    }
}
