#include "import/SheetNames.h"

#include <gtest/gtest.h>
#include <set>

using namespace quillmere;

TEST(SheetNames, FileNameAndItsKeptCharacters) {
    EXPECT_EQ(GetFileName(u"/home/ann/data/Sales-2008 (final).txt"_qs), u"Sales-2008 (final).txt");
    EXPECT_EQ(GetFileName(u"plain.txt"_qs), u"plain.txt");
    EXPECT_EQ(GetFileName(u"/home/ann/"_qs), u"");
    EXPECT_EQ(KeepNameChars(u"Sales-2008 (final).txt"_qs), u"Sales2008 finaltxt");
    EXPECT_EQ(KeepNameChars(u"Grüße_ÄÖ.txt"_qs), u"Gretxt");
    EXPECT_EQ(KeepNameChars(u"ä—ö"_qs), u"");
}

TEST(SheetNames, RandomNumberStaysWithinOneToNPlusOne) {
    std::mt19937 generator(7);
    std::set<int> seen;
    for (int i = 0; i < 20'000; ++i) {
        const int value = RandomNumber(3, generator);
        ASSERT_GE(value, 1);
        ASSERT_LE(value, 4);
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 4u);
}

TEST(SheetNames, FreeNameIgnoresLetterCaseAndNeverRepeats) {
    std::mt19937 generator(1);
    TakenNames taken({u"Sheet1"_qs});
    EXPECT_EQ(freeSheetName(u"Report"_qs, taken, generator), u"Report");

    const QString clash = freeSheetName(u"sheet1"_qs, taken, generator);
    EXPECT_TRUE(clash.startsWith(u"sheet1")) << clash.toStdString();
    EXPECT_GT(clash.size(), 6);

    EXPECT_EQ(freeSheetName(QString(), taken, generator), u"Sheet");
    taken.add(u"SHEET"_qs);
    EXPECT_TRUE(freeSheetName(QString(), taken, generator).startsWith(u"Sheet"));

    std::set<QString> names;
    for (int i = 0; i < 300; ++i) {
        const QString name = freeSheetName(u"data"_qs, taken, generator);
        ASSERT_TRUE(names.insert(name.toLower()).second) << name.toStdString();
        taken.add(name);
    }
}

TEST(SheetNames, AllSuffixesTakenStillGivesAFreeName) {
    std::mt19937 generator(3);
    TakenNames taken({u"a"_qs});
    for (int suffix = 1; suffix <= 8001; ++suffix) {
        taken.add(u"A"_qs + QString::number(suffix));
    }
    EXPECT_EQ(freeSheetName(u"a"_qs, taken, generator), u"a8002");
}
