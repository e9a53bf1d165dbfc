#include "import/office/SpreadsheetConnection.h"

#include "import/ColumnSplitting.h"
#include "import/office/OfficeError.h"
#include "testsupport/CellReadback.h"
#include "testsupport/PrivateOffice.h"
#include "testsupport/TextFiles.h"

#include <gtest/gtest.h>

using namespace quillmere;
using quillmere::testing::sharedOffice;

namespace {

class SpreadsheetConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        connection = sharedOffice().connect();
        document = connection->openNewDocument();
    }

    std::unique_ptr<SpreadsheetConnection> connection;
    std::unique_ptr<SpreadsheetDocument> document;
};

} // namespace

TEST_F(SpreadsheetConnectionTest, NewDocumentHasOneSheetNamedExactly) {
    EXPECT_EQ(document->sheetCount(), 1);
    EXPECT_EQ(document->sheetAt(0)->name(), u"Sheet1");
    EXPECT_TRUE(SheetExists(*document, QStringLiteral("Sheet1")));
    EXPECT_FALSE(SheetExists(*document, QStringLiteral("sheet1")));
    const SheetCapacity capacity = document->sheetAt(0)->capacity();
    EXPECT_EQ(capacity.rows, 1'048'576);
    EXPECT_EQ(capacity.columns, 16'384);
}

TEST_F(SpreadsheetConnectionTest, InsertAtFrontAndRemoveByName) {
    document->insertSheet(QStringLiteral("Sales2008 finaltxt"), 0);
    document->insertSheet(QStringLiteral("Ünïcode näme"), 0);
    EXPECT_EQ(document->sheetCount(), 3);
    EXPECT_EQ(document->sheetAt(0)->name(), u"Ünïcode näme");
    EXPECT_EQ(document->sheetAt(1)->name(), u"Sales2008 finaltxt");

    document->removeSheet(QStringLiteral("Sheet1"));
    EXPECT_EQ(document->sheetCount(), 2);
    EXPECT_FALSE(SheetExists(*document, QStringLiteral("Sheet1")));
}

TEST_F(SpreadsheetConnectionTest, RefusalsBecomeOfficeErrorsWithTheOfficeMessage) {
    try {
        document->removeSheet(QStringLiteral("Sheet2"));
        FAIL() << "removing a missing sheet did not fail";
    } catch (const OfficeError& e) {
        EXPECT_TRUE(e.action().contains(u"Sheet2"));
        EXPECT_FALSE(e.officeMessage().isEmpty());
    }
    EXPECT_THROW(document->insertSheet(QStringLiteral("sheet1"), 0), OfficeError);
    EXPECT_THROW(document->insertSheet(QString(), 0), OfficeError);
    EXPECT_THROW(document->insertSheet(QStringLiteral("a:b"), 0), OfficeError);
    EXPECT_THROW(document->sheetAt(5), OfficeError);
}

TEST_F(SpreadsheetConnectionTest, CellTextStaysTextAtItsPlace) {
    auto sheet = document->sheetAt(0);
    sheet->setCellText(0, 0, QStringLiteral("007"));
    sheet->setCellText(2, 1, QStringLiteral("=1+2"));
    sheet->setCellText(1, 0, QStringLiteral("'x"));
    const auto cells = inspect::readCells(*document, 0, 3, 2);
    EXPECT_EQ(cells[0][0], inspect::Cell::text(u"007"_qs));
    EXPECT_EQ(cells[0][1], inspect::Cell::text(u"'x"_qs));
    EXPECT_EQ(cells[1][2], inspect::Cell::text(u"=1+2"_qs));
    EXPECT_EQ(cells[1][0], inspect::Cell::empty());
}

TEST_F(SpreadsheetConnectionTest, BlockWriteGivesTheSameCellsAsOneByOne) {
    const QString text = u"0012\u00B8=1+2\u00B8\u00B8x\n\n\u00B8tail\u00B8\nsingle \U0001F600 é"_qs;
    const RowTexts rows = SplitRows(text);
    qsizetype width = 0;
    for (QStringView row : rows) {
        width = std::max(width, countCells(row));
    }
    CellBlock block(width);
    for (QStringView row : rows) {
        block.addRow(SplitCells(row));
    }

    document->insertSheet(QStringLiteral("Blocks"), 1);
    auto one = document->sheetAt(0);
    auto blocks = document->sheetAt(1);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const auto cells = SplitCells(rows[r]);
        for (qsizetype c = 0; c < cells.size(); ++c) {
            one->setCellText(c + 1, r + 2, cells[c].toString());
        }
    }
    blocks->writeBlock(1, 2, block);

    const auto expected = inspect::readCells(*document, 0, width + 2, rows.size() + 3);
    EXPECT_EQ(inspect::readCells(*document, 1, width + 2, rows.size() + 3), expected);
    EXPECT_EQ(expected[2][1], inspect::Cell::text(u"0012"_qs));
    EXPECT_EQ(expected[2][3], inspect::Cell::empty());
    EXPECT_EQ(expected[5][1], inspect::Cell::text(u"single \U0001F600 é"_qs));
}

TEST_F(SpreadsheetConnectionTest, AClosedDocumentIsGone) {
    document->close();
    EXPECT_THROW(document->sheetCount(), OfficeError);
}

// The office's text import would cut the cell and say so in a box of its own, which would hold the run until
// someone answered it: the load gives way instead, so that the run can write the text whole.
TEST_F(SpreadsheetConnectionTest, ATextLoadThatWouldLoseDataGivesWayWithoutABox) {
    quillmere::testing::TextFiles files;
    QByteArray text(70'000, 'x');
    text += "\r\nshort\r\n";
    const QString path = files.write(u"long.txt"_qs, text);
    EXPECT_EQ(connection->openTextDocument(path, 2, 1, u"Sheet1"_qs, [](double) {}), nullptr);
    // The office is still there for the next step.
    EXPECT_EQ(connection->openNewDocument()->sheetCount(), 1);
}
