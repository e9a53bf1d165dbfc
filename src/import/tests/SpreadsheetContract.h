#pragma once

// What the import run relies on of an office, held against the stand-in office in the core tests and against the real
// one in the office tests, so that the two cannot drift apart. Office is a type whose objects give office(), the
// contents(document) as read back, and refused(step): whether the step is refused with the reason.
#include "import/run/FlatSpreadsheet.h"
#include "import/text/ColumnSplitting.h"
#include "testsupport/DocumentReadback.h"
#include "testsupport/GTestQt.h"
#include "testsupport/TextFiles.h"

#include <QBuffer>

#include <gtest/gtest.h>
#include <memory>

namespace quillmere::inspect {

inline void PrintTo(const SheetContents& sheet, std::ostream* out) {
    *out << '"' << sheet.name.toStdString() << "\"";
    for (const auto& row : sheet.rows) {
        *out << "\n  [" << QStringList(row.begin(), row.end()).join(u'|').toStdString() << ']';
    }
}

} // namespace quillmere::inspect

namespace quillmere::testing {

template <typename Office>
class SpreadsheetContract : public ::testing::Test {
protected:
    static void SetUpTestSuite() { shared = std::make_unique<Office>(); }
    static void TearDownTestSuite() { shared.reset(); }
    SpreadsheetOffice& office() { return shared->office(); }
    inspect::DocumentContents contents(const SpreadsheetDocument& document) { return shared->contents(document); }
    bool refused(const std::function<void()>& step) { return shared->refused(step); }

    static inline std::unique_ptr<Office> shared;
    TextFiles files;
};

// Texts a spreadsheet would rather read as numbers, formulas or dates, empty cells, tabs and runs of spaces, a
// leading U+FEFF that is no byte-order mark: each cell keeps its very text, however the cells arrive.
inline const std::vector<std::vector<QString>> keptCells = {
    {u"\uFEFF0012"_qs, u"=1+2"_qs, QString(), u"1e5"_qs},
    {},
    {u"TRUE"_qs, u"a\tb"_qs, u"  two  spaces "_qs, u"\t"_qs, u"12:30"_qs},
    {u" "_qs, u"a b"_qs, u" \t x\t"_qs, QString(), u"\u00E9\U0001F600"_qs}};

// The cells as the run's working text: cells apart at the separator, rows at a line feed.
inline QString keptText() {
    QStringList rows;
    for (const auto& row : keptCells) {
        rows << QStringList(row.begin(), row.end()).join(CellSeparator);
    }
    return rows.join(u'\n');
}

TYPED_TEST_SUITE_P(SpreadsheetContract);

TYPED_TEST_P(SpreadsheetContract, SheetNamesAreTakenInAnyLetterCaseAndRefusalsSayWhy) {
    SpreadsheetOffice& office = this->office();
    const auto document = office.openNewDocument();
    const std::vector<QString> defaults = office.newDocumentSheetNames();
    ASSERT_EQ(sheetNames(*document), defaults);
    document->insertSheet(u"Data"_qs, 0);
    document->insertSheet(u"more"_qs, 1);
    EXPECT_EQ(document->sheetAt(0)->name(), u"Data");
    const std::function<void()> refusals[] = {
        [&] { document->insertSheet(u"DATA"_qs, 0); }, [&] { document->insertSheet(QString(), 0); },
        [&] { document->removeSheet(u"absent"_qs); }, [&] { document->sheetAt(document->sheetCount()); }};
    for (const auto& step : refusals) {
        EXPECT_TRUE(this->refused(step));
    }
    document->removeSheet(u"more"_qs);
    std::vector<QString> names{u"Data"_qs};
    names.insert(names.end(), defaults.begin(), defaults.end());
    EXPECT_EQ(sheetNames(*document), names);
    // The capacity the limits tell before any document is the sheet's own; a block beyond it is refused.
    const auto sheet = document->sheetAt(0);
    const SheetCapacity capacity = sheet->capacity();
    EXPECT_EQ(std::pair(capacity.rows, capacity.columns),
              std::pair(office.limits().sheet.rows, office.limits().sheet.columns));
    CellBlock block(2);
    block.addRow({u"a", u"b"});
    EXPECT_TRUE(this->refused([&] { sheet->writePrepared(capacity.columns - 1, 0, *sheet->prepareBlock(block)); }));
    document->close();
}

TYPED_TEST_P(SpreadsheetContract, CellsKeepTheirVeryTextWrittenOrLoaded) {
    SpreadsheetOffice& office = this->office();
    const QString text = keptText();
    std::vector<inspect::SheetContents> want{{u"Loaded"_qs, keptCells, {}}};
    inspect::trim(want.front().rows);
    {
        const auto document = office.openNewDocument();
        const auto sheet = document->sheetAt(0);
        CellBlock block(5);
        for (const QStringView row : SplitRows(text)) {
            block.addRow(SplitCells(row));
        }
        sheet->writePrepared(0, 0, *sheet->prepareBlock(block));
        want.front().name = sheet->name();
        EXPECT_EQ(this->contents(*document), want);
        document->close();
    }
    // The text load takes the working file: UTF-8 behind a byte-order mark, rows ending in LF or CR LF.
    QString file = text;
    file.replace(u"\n1e5"_qs, u"\r\n1e5"_qs);
    const auto loaded = office.openTextDocument(this->files.write(u"work.txt"_qs, "\xEF\xBB\xBF" + file.toUtf8()),
                                                CellSeparator, 4, 5, u"Loaded"_qs);
    ASSERT_TRUE(loaded);
    want.front().name = u"Loaded"_qs;
    EXPECT_EQ(this->contents(*loaded), want);
    loaded->close();
}

// The flat file as the run writes it: each table a sheet, runs of spaces and tabs kept.
TYPED_TEST_P(SpreadsheetContract, AFlatFileLoadsEachTableAsASheetKeepingSpacesAndTabs) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    FlatSpreadsheet flat(buffer);
    flat.add(FlatTable(u"Kept"_qs, SplitRows(keptText())));
    flat.add(FlatTable(u"empty"_qs, SplitRows(QString())));
    ASSERT_TRUE(flat.finish());
    const auto document = this->office().openSpreadsheetFile(this->files.write(u"flat.fods"_qs, buffer.data()));
    ASSERT_TRUE(document);
    std::vector<inspect::SheetContents> want{{u"Kept"_qs, keptCells, {}}, {u"empty"_qs, {}, {}}};
    inspect::trim(want.front().rows);
    EXPECT_EQ(this->contents(*document), want);
    document->close();
}

REGISTER_TYPED_TEST_SUITE_P(SpreadsheetContract, SheetNamesAreTakenInAnyLetterCaseAndRefusalsSayWhy,
                            CellsKeepTheirVeryTextWrittenOrLoaded, AFlatFileLoadsEachTableAsASheetKeepingSpacesAndTabs);

} // namespace quillmere::testing
