#include "import/ColumnSplitting.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace quillmere;

namespace {

// The cells of every row of a text, after marking it under the rule.
std::vector<QStringList> cut(const QString& text, ColumnRule rule, const QString& delimiter = {}) {
    std::vector<QStringList> rows;
    for (QStringView row : SplitRows(MarkColumns(text, rule, delimiter))) {
        QStringList cells;
        for (QStringView cell : SplitCells(row)) {
            cells << cell.toString();
        }
        rows.push_back(cells);
    }
    return rows;
}

QStringList cells(const QString& line, ColumnRule rule, const QString& delimiter = {}) {
    const auto rows = cut(line, rule, delimiter);
    return rows.empty() ? QStringList() : rows.front();
}

} // namespace

TEST(MarkColumns, EachRuleCutsAtItsOwnDelimiterOnly) {
    EXPECT_EQ(cells("a b  c", ColumnRule::SplitAtSpace), QStringList({"a", "b", "", "c"}));
    EXPECT_EQ(cells("a\tb c", ColumnRule::SplitAtSpace), QStringList({"a\tb", "c"}));
    EXPECT_EQ(cells("a,,b", ColumnRule::SplitAtComma), QStringList({"a", "", "b"}));
    EXPECT_EQ(cells("a,", ColumnRule::SplitAtComma), QStringList({"a", ""}));
    EXPECT_EQ(cells(",x,", ColumnRule::SplitAtComma), QStringList({"", "x", ""}));
    EXPECT_EQ(cells("\"a,b\",c", ColumnRule::SplitAtComma), QStringList({"\"a", "b\"", "c"}));
    EXPECT_EQ(cells("a\tb c", ColumnRule::SplitAtTab), QStringList({"a", "b c"}));
    EXPECT_EQ(cells("a,b c\td", ColumnRule::NoSplit), QStringList({"a,b c\td"}));
}

TEST(MarkColumns, CustomDelimiterMatchesWholeExactAndWithoutOverlap) {
    EXPECT_EQ(cells("a::b:c", ColumnRule::SplitAtText, "::"), QStringList({"a", "b:c"}));
    EXPECT_EQ(cells("a::b:c", ColumnRule::SplitAtText, ""), QStringList({"a::b:c"}));
    EXPECT_EQ(cells("axbXc", ColumnRule::SplitAtText, "x"), QStringList({"a", "bXc"}));
    EXPECT_EQ(cells("aaa", ColumnRule::SplitAtText, "aa"), QStringList({"", "a"}));
    // The custom text is used only under its own rule.
    EXPECT_EQ(cells("a;b", ColumnRule::SplitAtComma, ";"), QStringList({"a;b"}));
}

TEST(MarkColumns, CedillaInTheInputCutsUnderEveryRuleAndIsDropped) {
    EXPECT_EQ(cells(u"a\u00B8b"_qs, ColumnRule::NoSplit), QStringList({"a", "b"}));
    EXPECT_EQ(cells(u"a\u00B8b,c"_qs, ColumnRule::SplitAtComma), QStringList({"a", "b", "c"}));
}

TEST(SplitRows, LineFeedsCutRowsAndCarriageReturnsVanish) {
    EXPECT_EQ(cut("a\rb", ColumnRule::NoSplit), std::vector<QStringList>({{"ab"}}));
    EXPECT_EQ(cut("a\nb", ColumnRule::NoSplit), std::vector<QStringList>({{"a"}, {"b"}}));
    EXPECT_EQ(cut("a\r\n\r\nb", ColumnRule::NoSplit), std::vector<QStringList>({{"a"}, {}, {"b"}}));
    EXPECT_EQ(cut("a\r\n", ColumnRule::NoSplit), std::vector<QStringList>({{"a"}, {}}));
    EXPECT_EQ(SplitRows(QString()).size(), 0);
    EXPECT_EQ(SplitRows(QStringLiteral("\r")).size(), 0);
    EXPECT_EQ(SplitRows(QStringLiteral("\n")).size(), 2);
}

TEST(SplitCells, EmptyRowHasNoCellAndCountMatches) {
    EXPECT_TRUE(SplitCells(u"").isEmpty());
    for (QStringView row : {u"", u"a", u"\u00B8", u"a\u00B8\u00B8b\u00B8"}) {
        EXPECT_EQ(countCells(row), SplitCells(row).size()) << row.toString().toStdString();
    }
}
