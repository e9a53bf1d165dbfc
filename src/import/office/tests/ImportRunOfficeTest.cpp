#include "import/ImportRun.h"
#include "testsupport/CellReadback.h"
#include "testsupport/DocumentContents.h"
#include "testsupport/PrivateOffice.h"
#include "testsupport/RecordingOffice.h"
#include "testsupport/TextFiles.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace quillmere;
using quillmere::testing::PrivateOffice;
using quillmere::testing::RecordingOffice;
using quillmere::testing::sharedOffice;
using quillmere::testing::TextFiles;

namespace {

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
    const quillmere::testing::DocumentContents contents = quillmere::testing::readDocument(document());
    EXPECT_EQ(contents[0].rows, (std::vector<std::vector<QString>>{{u"4"_qs, QString(), u"5"_qs}}));
    EXPECT_EQ(contents[2].rows, (std::vector<std::vector<QString>>{{u"1"_qs, u"2"_qs}}));
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
