#include "testsupport/GTestQt.h"
#include "testsupport/SpreadsheetContract.h"
#include "xlsx/XlsxText.h"
#include "xlsx/XlsxWorkbook.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quillmere;
using namespace quillmere::testing;

// As an office keeps it, its cells held or, for a large input, streamed; and the order that streaming needs, of sheets
// and of rows, is held to, not trusted.
TEST(XlsxWorkbook, KeepsTheSpreadsheetContractAndTakesSheetsAndRowsOnlyInTheirOrder) {
    QTemporaryDir folder;
    const auto refused = [](const std::function<void()>& step) { return !failure(step).isEmpty(); };
    for (const qint64 inputBytes : {0LL, 1LL << 30}) {
        xlsx::XlsxWorkbook writer(folder.path(), inputBytes);
        checkSpreadsheetContract(writer, u".xlsx"_s, refused);
    }
    xlsx::XlsxWorkbook workbook(folder.path(), 0);

    const auto document = workbook.openNewDocument();
    document->insertSheet(u"b"_s, 0);
    const auto sheet = document->sheetAt(0);
    CellBlock block(1);
    block.addRow({u"x"});
    sheet->writePrepared(0, 5, *sheet->prepareBlock(block));
    EXPECT_TRUE(refused([&] { sheet->writePrepared(0, 5, *sheet->prepareBlock(block)); }));
    EXPECT_TRUE(refused([&] { document->insertSheet(u"a"_s, 0); }));
    EXPECT_TRUE(refused([&] { document->removeSheet(u"b"_s); }));
    EXPECT_TRUE(refused([&] { document->insertSheet(u"history"_s, 1); }));
    document->insertSheet(u"c"_s, 1);
    document->saveAs(folder.filePath(u"out.xlsx"_s));
    EXPECT_TRUE(QFileInfo(folder.filePath(u"out.xlsx"_s)).size() > 0);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"out.xlsx"_s});
}

// What the file cannot hold as it stands goes as the format's escape, and nothing else does: an underscore escapes
// only where it would begin one, with what follows it escaped as the file holds it.
TEST(XlsxWorkbook, ACellKeepsItsTextWhereAReaderWouldTakeItForAnEscape) {
    const std::pair<QStringView, QByteArrayView> texts[] = {{u"plain \u00E9 =1+2", "plain \xC3\xA9 =1+2"},
                                                            {u"_x0041_", "_x005F_x0041_"},
                                                            {u"__x00e9_", "__x005F_x00e9_"},
                                                            {u"_x0041\u001B", "_x005F_x0041\x1B"},
                                                            {u"_xABCD\uFFFF", "_x005F_xABCD_xFFFF_"},
                                                            {QStringView(u"a\u0000b\uFFFE", 4), "a_x0000_b_xFFFE_"},
                                                            {u"_x0041 _x12_ _xGHIJ_", "_x0041 _x12_ _xGHIJ_"},
                                                            {u"\u001B[0m", "\x1B[0m"}};
    for (const auto& [text, written] : texts) {
        EXPECT_EQ(xlsx::cellText(text), written.toByteArray()) << text.toString().toStdString();
    }
}
