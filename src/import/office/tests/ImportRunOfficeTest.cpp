#include "import/ImportRun.h"
#include "testsupport/CellReadback.h"
#include "testsupport/PrivateOffice.h"
#include "testsupport/RecordingOffice.h"
#include "testsupport/TextFiles.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace quillmere;
using quillmere::inspect::Cell;
using quillmere::testing::PrivateOffice;
using quillmere::testing::RecordingOffice;
using quillmere::testing::sharedOffice;
using quillmere::testing::TextFiles;

namespace {

Cell text(const char16_t* content) {
    return Cell::text(QString::fromUtf16(content));
}

class ImportRunOfficeTest : public ::testing::Test {
protected:
    bool import(
        const QStringList& paths, SheetLayout layout, ImportRun::Progress progress = [](int) {}) {
        ImportRequest request{FilePaths(paths), layout, ColumnRule::SplitAtComma, QString()};
        return ImportRun(recorder, request, std::move(progress)).run();
    }

    const SpreadsheetDocument& document() const { return *recorder.lastDocument(); }

    std::unique_ptr<SpreadsheetConnection> connection = sharedOffice().connect();
    RecordingOffice recorder{*connection};
    TextFiles files;
};

} // namespace

TEST_F(ImportRunOfficeTest, SingleSheetJoinsTheFilesIntoTextCellsOfTheFirstSheet) {
    const QString utf8 = files.write(u"utf8.txt"_qs, "a,,b\n0012,=1+2\nGr\xC3\xBC\xC3\x9F"
                                                     "e,");
    const QString utf16 = files.write(u"utf16.txt"_qs, QByteArray("\xFF\xFE\xE9\x00,\x00x\x00\n\x00\n\x00", 12));
    ASSERT_TRUE(import({utf8, utf16}, SheetLayout::SingleSheet));

    ASSERT_EQ(document().sheetCount(), 1);
    EXPECT_EQ(document().sheetAt(0)->name(), u"Sheet1");
    const auto cells = inspect::readCells(document(), 0, 3, 5);
    EXPECT_EQ(cells[0], (std::vector<Cell>{text(u"a"), Cell::empty(), text(u"b")}));
    EXPECT_EQ(cells[1], (std::vector<Cell>{text(u"0012"), text(u"=1+2"), Cell::empty()}));
    EXPECT_EQ(cells[2], (std::vector<Cell>{text(u"Grüße"), text(u"é"), text(u"x")}));
    EXPECT_EQ(cells[3], (std::vector<Cell>(3, Cell::empty())));
    EXPECT_EQ(inspect::usedSize(document(), 0), std::make_pair(qsizetype(3), qsizetype(3)));
    EXPECT_FALSE(inspect::hasLocation(document()));
}

// The office's own import fills the sheet; afterwards nothing may tell the document from one written cell by cell.
TEST_F(ImportRunOfficeTest, SingleSheetLeavesAPlainNewDocument) {
    ASSERT_TRUE(import({files.write(u"a.txt"_qs, "1,x\n2")}, SheetLayout::SingleSheet));
    EXPECT_EQ(inspect::numberFormatOf(document(), 0, 0, 0), 0);
    EXPECT_EQ(inspect::numberFormatOf(document(), 0, 1, 1), 0);
    EXPECT_FALSE(inspect::canUndo(document()));
    EXPECT_FALSE(inspect::hasLocation(document()));
    EXPECT_NE(inspect::saveFilter(document()), u"Text - txt - csv (StarCalc)");
}

// All sheets come from one flat spreadsheet file: nothing may tell the document from one the office made new.
TEST_F(ImportRunOfficeTest, SheetPerFileLeavesAPlainNewDocument) {
    ASSERT_TRUE(import({files.write(u"a.txt"_qs, "1,x\n2"), files.write(u"b.txt"_qs, "3")}, SheetLayout::SheetPerFile));
    const auto made = connection->openNewDocument();
    EXPECT_EQ(inspect::looksOf(document(), 0), inspect::looksOf(*made, 0));
    EXPECT_EQ(inspect::looksOf(document(), 1), inspect::looksOf(*made, 0));
    EXPECT_EQ(inspect::numberFormatOf(document(), 1, 0, 0), 0);
    EXPECT_FALSE(inspect::canUndo(document()));
    EXPECT_FALSE(inspect::hasLocation(document()));
    EXPECT_EQ(inspect::saveFilter(document()),
              inspect::saveFilter(*made).isEmpty() ? u"calc8"_qs : inspect::saveFilter(*made));
    made->close();
}

TEST_F(ImportRunOfficeTest, SingleSheetProgressAdvancesWhileTheOfficeLoads) {
    QByteArray lines;
    for (int line = 0; line < 50'000; ++line) {
        lines += "a,b,c\n";
    }
    std::vector<int> seen;
    ASSERT_TRUE(import({files.write(u"big.txt"_qs, lines)}, SheetLayout::SingleSheet,
                       [&](int percent) { seen.push_back(percent); }));
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](int p) { return p > 10 && p < 100; }));
    EXPECT_EQ(seen.back(), 100);
}

// A lone CR vanishes from a row, where the office's import would start a new row at it.
TEST_F(ImportRunOfficeTest, SingleSheetKeepsRowsWhereTheOfficeImportWouldCutThem) {
    ASSERT_TRUE(import({files.write(u"cr.txt"_qs, "x\ry,z\r\nw")}, SheetLayout::SingleSheet));
    const auto cells = inspect::readCells(document(), 0, 2, 3);
    EXPECT_EQ(cells[0], (std::vector<Cell>{text(u"xy"), text(u"z")}));
    EXPECT_EQ(cells[1], (std::vector<Cell>{text(u"w"), Cell::empty()}));
    EXPECT_EQ(cells[2], (std::vector<Cell>(2, Cell::empty())));
}

TEST_F(ImportRunOfficeTest, SheetPerFileGivesEachFileAFreeSheetAndRemovesTheDefault) {
    const QString first = files.write(u"x/data.txt"_qs, "1,2");
    const QString second = files.write(u"y/data.txt"_qs, "3");
    const QString likeDefault = files.write(u"sheet1"_qs, "4,,5");
    ASSERT_TRUE(import({first, second, likeDefault}, SheetLayout::SheetPerFile));

    const auto names = sheetNames(document());
    ASSERT_EQ(names.size(), 3u);
    EXPECT_TRUE(names[0].startsWith(u"sheet1") && names[0] != u"sheet1");
    EXPECT_TRUE(names[1].startsWith(u"datatxt") && names[1] != u"datatxt");
    EXPECT_EQ(names[2], u"datatxt");
    EXPECT_EQ(inspect::readCells(document(), 0, 3, 1)[0], (std::vector<Cell>{text(u"4"), Cell::empty(), text(u"5")}));
    EXPECT_EQ(inspect::readCells(document(), 2, 2, 1)[0], (std::vector<Cell>{text(u"1"), text(u"2")}));
}

// The second file holds a character the flat spreadsheet file cannot carry, so its cells go in after the load:
// the document is gone by then.
TEST_F(ImportRunOfficeTest, ClosingTheDocumentDuringTheRunIsReportedForTheFile) {
    const QString first = files.write(u"first.txt"_qs, "1");
    const QString second = files.write(u"second.txt"_qs, "2\x01");
    recorder.opened = [](const SpreadsheetDocument& opened) { inspect::closeDocument(opened); };
    try {
        import({first, second}, SheetLayout::SheetPerFile);
        FAIL() << "the run went on into a closed document";
    } catch (const ImportError& e) {
        EXPECT_TRUE(e.message().contains(second)) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(u"closed")) << e.message().toStdString();
    }
}

TEST(ImportRunCrashTest, AnOfficeThatEndsDuringTheRunIsReported) {
    PrivateOffice office;
    const auto connection = office.connect();
    RecordingOffice recorder(*connection);
    TextFiles files;
    const QString first = files.write(u"first.txt"_qs, "1");
    const QString second = files.write(u"second.txt"_qs, "2\x01");
    ImportRequest request{{first, second}, SheetLayout::SheetPerFile, ColumnRule::NoSplit, QString()};
    recorder.opened = [&](const SpreadsheetDocument&) { office.kill(); };
    try {
        ImportRun(recorder, request, [](int) {}).run();
        FAIL() << "the run did not notice the office had ended";
    } catch (const ImportError& e) {
        EXPECT_TRUE(e.message().contains(second)) << e.message().toStdString();
    }
}
