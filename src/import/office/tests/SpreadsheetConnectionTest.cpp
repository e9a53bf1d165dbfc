#include "import/office/SpreadsheetConnection.h"

#include "import/office/OfficeError.h"
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
