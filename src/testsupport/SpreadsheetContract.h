#pragma once

#include "import/Spreadsheet.h"
#include "testsupport/GTestQt.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quillmere::testing {

// What the import run relies on of an office's sheets (names, refusals, capacity and the save the command line stands
// on), held against the stand-in office in the core tests, the real one in the office tests and the .xlsx writer in
// its own, so that they cannot drift apart; ending names the saved form (".ods", ".xlsx"). refused(step):
// whether the step is refused, naming what was refused. LibreOffice 7.4 and 25.2 agree: a name taken in any letter
// case, an empty name, a missing sheet, a position past the last sheet and cells past the last column are refused, and
// nothing of them is written; a sheet is removed by its name in any letter case. Only their words differ: 25.2 gives
// some for a refused name alone, 7.4 none, only the place in its source code.
inline void checkSpreadsheetContract(SpreadsheetOffice& office, const QString& ending,
                                     const std::function<bool(const std::function<void()>&)>& refused) {
    const auto document = office.openNewDocument();
    const std::vector<QString> defaults = office.newDocumentSheetNames();
    ASSERT_EQ(sheetNames(*document), defaults);
    document->insertSheet(u"Data"_s, 0);
    document->insertSheet(u"more"_s, 1);
    EXPECT_EQ(document->sheetAt(0)->name(), u"Data");
    const std::function<void()> refusals[] = {
        [&] { document->insertSheet(u"DATA"_s, 0); }, [&] { document->insertSheet(QString(), 0); },
        [&] { document->removeSheet(u"absent"_s); }, [&] { document->sheetAt(document->sheetCount()); }};
    for (const auto& step : refusals) {
        EXPECT_TRUE(refused(step));
    }
    document->removeSheet(u"MORE"_s);
    std::vector<QString> names{u"Data"_s};
    names.insert(names.end(), defaults.begin(), defaults.end());
    EXPECT_EQ(sheetNames(*document), names);
    // The capacity the limits tell before any document is the sheet's own; a block beyond it is refused.
    const auto sheet = document->sheetAt(0);
    const SheetCapacity capacity = sheet->capacity();
    EXPECT_EQ(std::pair(capacity.rows, capacity.columns),
              std::pair(office.limits().sheet.rows, office.limits().sheet.columns));
    CellBlock block(2);
    block.addRow({u"a", u"b"});
    EXPECT_TRUE(refused([&] { sheet->writePrepared(capacity.columns - 1, 0, *sheet->prepareBlock(block)); }));
    // The saved copy replaces a file of its name and leaves nothing beside it; where no file can be made (below a
    // file, even for root), the save is refused.
    sheet->writePrepared(0, 0, *sheet->prepareBlock(block));
    QTemporaryDir folder;
    const QString saved = folder.filePath(u"saved"_s + ending);
    QFile old(saved);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
    old.close();
    document->saveAs(saved);
    EXPECT_GT(QFileInfo(saved).size(), 3);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"saved"_s + ending});
    document->close();
    const auto unsaved = office.openNewDocument();
    EXPECT_TRUE(refused([&] { unsaved->saveAs(saved + u"/below"_s + ending); }));
    unsaved->close();
}

} // namespace quillmere::testing
