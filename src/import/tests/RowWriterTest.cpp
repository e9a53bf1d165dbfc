#include "import/RowWriter.h"

#include "import/ColumnSplitting.h"
#include "testsupport/FakeSpreadsheet.h"

#include <gtest/gtest.h>

using namespace quillmere;
using quillmere::testing::FakeSpreadsheet;

namespace {

QString cellSeparated(QStringList pieces) {
    return pieces.join(CellSeparator);
}

// Writes the text's rows with RowWriter and, for comparison, cell by cell into a second sheet.
struct WrittenTwice {
    explicit WrittenTwice(const QString& text) {
        office.newDocumentSheets = {u"blocks"_qs, u"cells"_qs};
        document = office.openNewDocument();
        const RowTexts rows = SplitRows(text);
        const auto blocks = document->sheetAt(0);
        RowWriter(*blocks, {}, [&](qsizetype written) { progress.push_back(written); }).write(rows, 0);
        const auto cells = document->sheetAt(1);
        for (qsizetype r = 0; r < rows.size(); ++r) {
            const auto pieces = SplitCells(rows[r]);
            for (qsizetype c = 0; c < pieces.size(); ++c) {
                cells->setCellText(c, r, pieces[c].toString());
            }
        }
    }

    const FakeSpreadsheet::SheetData& sheet(int i) const { return office.lastDocument().sheets[std::size_t(i)]; }

    FakeSpreadsheet office;
    std::unique_ptr<SpreadsheetDocument> document;
    std::vector<qsizetype> progress;
};

} // namespace

TEST(RowWriter, BlocksGiveExactlyTheCellsOfOneByOneWrites) {
    const QString text = cellSeparated({u"a"_qs, QString(), u"b"_qs}) + u"\n\n"_qs +
                         cellSeparated({u"a"_qs, QString()}) + u"\nlong row with one cell\n"_qs +
                         cellSeparated({u"0012"_qs, u"=1+2"_qs, u"x"_qs, u"y"_qs}) + u"\n\n"_qs;
    const WrittenTwice written(text);
    EXPECT_EQ(written.sheet(0).cells, written.sheet(1).cells);
    EXPECT_EQ(written.sheet(0).at(2, 0), u"b");
    EXPECT_EQ(written.sheet(0).at(1, 4), u"=1+2");
}

TEST(RowWriter, BlocksStayBoundedAndProgressCountsRows) {
    QString text;
    for (int r = 0; r < 25'000; ++r) {
        text += cellSeparated({QString::number(r), u"b"_qs, u"c"_qs, u"d"_qs, u"e"_qs, u"f"_qs}) + u'\n';
    }
    const WrittenTwice written(text);
    const auto& data = written.office.lastDocument();
    EXPECT_LE(data.largestBlockRows, RowWriter::maxBlockRows);
    EXPECT_LE(data.largestBlockCells, RowWriter::maxBlockCells);
    EXPECT_EQ(written.sheet(0).at(0, 24'999), u"24999");
    EXPECT_EQ(written.sheet(0).cells.size(), 25'000u * 6);
    ASSERT_FALSE(written.progress.empty());
    EXPECT_TRUE(std::is_sorted(written.progress.begin(), written.progress.end()));
    EXPECT_EQ(written.progress.back(), 25'001);
}

TEST(RowWriter, StopsBeforeTheNextBlock) {
    FakeSpreadsheet office;
    const auto document = office.openNewDocument();
    const auto sheet = document->sheetAt(0);
    std::stop_source stop;
    int blocks = 0;
    const RowTexts rows = SplitRows(QStringLiteral("x\n").repeated(30'000));
    const bool complete = RowWriter(*sheet, stop.get_token(), [&](qsizetype) {
                              ++blocks;
                              stop.request_stop();
                          }).write(rows, 0);
    EXPECT_FALSE(complete);
    EXPECT_EQ(blocks, 1);
    EXPECT_EQ(office.lastDocument().sheets[0].cells.size(), std::size_t(RowWriter::maxBlockRows));
}
