#include "import/ImportRun.h"

#include "testsupport/FakeSpreadsheet.h"
#include "testsupport/TextFiles.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace quillmere;
using quillmere::testing::FakeSpreadsheet;
using quillmere::testing::TextFiles;

namespace {

class ImportRunTest : public ::testing::Test {
protected:
    bool import(const QStringList& paths, SheetLayout layout, ColumnRule rule = ColumnRule::SplitAtComma) {
        ImportRequest request{FilePaths(paths), layout, rule, QString()};
        return ImportRun(office, request, [&](int percent) { progress.push_back(percent); }).run();
    }

    QString importFailure(const QStringList& paths, SheetLayout layout) {
        try {
            import(paths, layout);
        } catch (const ImportError& e) {
            return e.message();
        }
        ADD_FAILURE() << "the import did not fail";
        return {};
    }

    std::vector<QString> sheetNames() const {
        std::vector<QString> names;
        for (const auto& sheet : office.lastDocument().sheets) {
            names.push_back(sheet.name);
        }
        return names;
    }

    const FakeSpreadsheet::SheetData& sheet(int i) const { return office.lastDocument().sheets[std::size_t(i)]; }

    static int workFilesLeft() {
        return int(QDir::temp().entryList({QStringLiteral("quillmere-*")}, QDir::Files).size());
    }

    FakeSpreadsheet office;
    TextFiles files;
    std::vector<int> progress;
};

} // namespace

TEST_F(ImportRunTest, SingleSheetJoinsFilesAsTheyStandAndKeepsOnlyTheFirstSheet) {
    office.newDocumentSheets = {u"Sheet1"_qs, u"Sheet2"_qs, u"Sheet3"_qs};
    const QString a = files.write(u"a.txt"_qs, "a,,b\r\nc");
    const QString b = files.write(u"b.txt"_qs, "d,\n\n0012,=1+2\n");
    ASSERT_TRUE(import({a, b}, SheetLayout::SingleSheet));

    EXPECT_EQ(sheetNames(), std::vector<QString>{u"Sheet1"_qs});
    const auto& cells = sheet(0);
    EXPECT_EQ(cells.at(0, 0), u"a");
    EXPECT_EQ(cells.at(1, 0), u"");
    EXPECT_EQ(cells.at(2, 0), u"b");
    EXPECT_EQ(cells.at(0, 1), u"cd");
    EXPECT_EQ(cells.at(0, 3), u"0012");
    EXPECT_EQ(cells.at(1, 3), u"=1+2");
    EXPECT_EQ(cells.cells.size(), 5u);
}

TEST_F(ImportRunTest, SheetPerFileNamesSheetsFreelyInReverseOrderAndRemovesTheDefaults) {
    office.newDocumentSheets = {u"Tabelle1"_qs, u"Tabelle2"_qs};
    const QStringList paths{files.write(u"x/Sales-2008.txt"_qs, "one"), files.write(u"y/Sales-2008.txt"_qs, "two"),
                            files.write(u"tabelle2"_qs, "three"), files.write(u"äö"_qs, "four")};
    ASSERT_TRUE(import(paths, SheetLayout::SheetPerFile));

    const auto names = sheetNames();
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names[3], u"Sales2008txt");
    EXPECT_TRUE(names[2].startsWith(u"Sales2008txt") && names[2] != names[3]);
    EXPECT_TRUE(names[1].startsWith(u"tabelle2") && names[1].size() > 8);
    EXPECT_EQ(names[0], u"Sheet");
    EXPECT_EQ(sheet(3).at(0, 0), u"one");
    EXPECT_EQ(sheet(1).at(0, 0), u"three");
    EXPECT_EQ(sheet(0).at(0, 0), u"four");
}

TEST_F(ImportRunTest, UnreadableListedFilesAreAllNamedInOneMessage) {
    QStringList paths{files.write(u"fine.txt"_qs, "x"), files.dir().path()};
    for (int i = 0; i < 6; ++i) {
        paths << files.path(QStringLiteral("missing%1.txt").arg(i));
    }
    try {
        checkListedFiles(FilePaths(paths));
        FAIL() << "unreadable files passed the check";
    } catch (const ImportError& e) {
        const QString message = e.message();
        EXPECT_TRUE(message.contains(u"7 files")) << message.toStdString();
        EXPECT_TRUE(message.contains(files.dir().path()));
        EXPECT_TRUE(message.contains(u"missing3.txt"));
        EXPECT_FALSE(message.contains(u"missing5.txt"));
        EXPECT_TRUE(message.contains(u"2 more"));
    }
}

TEST_F(ImportRunTest, AFileBeyondTheSheetStopsTheRunBeforeAnyOfItsCells) {
    office.capacity = {3, 2};
    const QString fits = files.write(u"fits.txt"_qs, "a,b\nc");
    const QString wide = files.write(u"wide.txt"_qs, "a,b,c");

    const QString single = importFailure({fits, wide}, SheetLayout::SingleSheet);
    EXPECT_TRUE(single.contains(wide)) << single.toStdString();
    EXPECT_TRUE(single.contains(u"2 columns"));
    EXPECT_TRUE(sheet(0).cells.empty());
    EXPECT_TRUE(office.lastDocument().closed);

    const QString perFile = importFailure({fits, wide}, SheetLayout::SheetPerFile);
    EXPECT_TRUE(perFile.contains(wide));
    EXPECT_TRUE(sheet(0).cells.empty());
    EXPECT_EQ(sheet(1).at(1, 0), u"b");
    EXPECT_FALSE(office.lastDocument().closed);

    const QString tall = files.write(u"tall.txt"_qs, "1\n2\n3\n4\n");
    EXPECT_TRUE(importFailure({tall}, SheetLayout::SingleSheet).contains(u"3 rows"));
    EXPECT_TRUE(import({files.write(u"exact.txt"_qs, "1\n2\n3\n")}, SheetLayout::SingleSheet));
}

TEST_F(ImportRunTest, AnOfficeRefusalNamesTheFileAndLeavesNoWorkFile) {
    const int before = workFilesLeft();
    const QString first = files.write(u"first.txt"_qs, "1");
    const QString second = files.write(u"second.txt"_qs, "2");
    office.beforeCall = [](const QString& call) {
        if (call == u"insertSheet secondtxt") {
            throw Error(u"the office said no"_qs);
        }
    };
    const QString message = importFailure({first, second}, SheetLayout::SheetPerFile);
    EXPECT_EQ(message, QStringLiteral("Importing %1 failed.\nthe office said no").arg(second));
    EXPECT_EQ(sheet(0).at(0, 0), u"1");
    EXPECT_EQ(workFilesLeft(), before);
}

TEST_F(ImportRunTest, ProgressOnlyAdvancesAndReachesTheEndWithTheLastCells) {
    QStringList paths;
    for (int i = 0; i < 7; ++i) {
        paths << files.write(QStringLiteral("f%1.txt").arg(i), QByteArray("a,b\n").repeated(3000));
    }
    for (const auto layout : {SheetLayout::SingleSheet, SheetLayout::SheetPerFile}) {
        progress.clear();
        int writesAtFull = -1;
        office.beforeCall = [&](const QString& call) {
            if (call == u"writeBlock" && !progress.empty() && progress.back() == 100) {
                writesAtFull = int(progress.size());
            }
        };
        ASSERT_TRUE(import(paths, layout));
        ASSERT_GT(progress.size(), 5u);
        EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
        EXPECT_EQ(std::adjacent_find(progress.begin(), progress.end()), progress.end());
        EXPECT_EQ(progress.back(), 100);
        EXPECT_EQ(writesAtFull, -1);
    }
}

// Closing the window stops the run at its next step: while the files are read, before any document is opened.
TEST_F(ImportRunTest, AStopWhileReadingEndsTheRunBeforeAnyDocumentAndLeavesNoWorkFile) {
    const QString path = files.write(u"a.txt"_qs, "1");
    const int before = workFilesLeft();
    for (const SheetLayout layout : {SheetLayout::SingleSheet, SheetLayout::SheetPerFile}) {
        std::stop_source stop;
        ImportRequest request{{path, path, path}, layout, ColumnRule::NoSplit, QString()};
        EXPECT_FALSE(ImportRun(
                         office, request, [&](int) { stop.request_stop(); }, stop.get_token())
                         .run());
        EXPECT_EQ(office.documentsOpened(), 0);
        EXPECT_EQ(workFilesLeft(), before);
    }
}
